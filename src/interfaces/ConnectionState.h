#pragma once

// A TCP client's connection machine.
enum class ConnectionState : int {
    Idle = 0,
    Connecting = 1,
    Running = 2,
    Reconnecting = 3,
    Resetting = 4
};
