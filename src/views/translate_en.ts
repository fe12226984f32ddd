<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>BToolSelectCommand</name>
    <message>
        <source>Select</source>
        <translation>Select</translation>
    </message>
</context>
<context>
    <name>HRCGroupInfo</name>
    <message>
        <source>Cannot add &apos;%1&apos; to the selected combination.</source>
        <translation>Cannot add &apos;%1&apos; to the selected combination.</translation>
    </message>
</context>
<context>
    <name>HRoot</name>
    <message>
        <source>Groups</source>
        <translation>Groups</translation>
    </message>
    <message>
        <source>ParameterSets</source>
        <translation>ParameterSets</translation>
    </message>
    <message>
        <source>RCGroups</source>
        <translation>RCGroups</translation>
    </message>
    <message>
        <source>ParameterSetLists</source>
        <translation>ParameterSetLists</translation>
    </message>
</context>
<context>
    <name>ITcpClient</name>
    <message>
        <source> - Offline - Idle</source>
        <translation> - Offline - Idle</translation>
    </message>
    <message>
        <source> - Offline - Connecting</source>
        <translation> - Offline - Connecting</translation>
    </message>
    <message>
        <source> - Online - Running</source>
        <translation> - Online - Running</translation>
    </message>
    <message>
        <source> - Offline - Reconnecting</source>
        <translation> - Offline - Reconnecting</translation>
    </message>
    <message>
        <source> - Offline - Resetting</source>
        <translation> - Offline - Resetting</translation>
    </message>
    <message>
        <source> - Unknown State</source>
        <translation> - Unknown State</translation>
    </message>
</context>
<context>
    <name>KMainController</name>
    <message>
        <source>&amp;Open VMP File...</source>
        <translation>&amp;Open VMP File...</translation>
    </message>
    <message>
        <source>&amp;New Vazado ziv File...</source>
        <translation>&amp;New Vazado ziv File...</translation>
    </message>
    <message>
        <source>&amp;Open Vazado ziv File...</source>
        <translation>&amp;Open Vazado ziv File...</translation>
    </message>
    <message>
        <source>&amp;Save Vazado ziv File...</source>
        <translation>&amp;Save Vazado ziv File...</translation>
    </message>
    <message>
        <source>S&amp;ave Vazado ziv File As...</source>
        <translation>S&amp;ave Vazado ziv File As...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Undo &amp;List...</source>
        <translation>Undo &amp;List...</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>&amp;Edit Mode</source>
        <translation>&amp;Edit Mode</translation>
    </message>
    <message>
        <source>Bring To &amp;Front</source>
        <translation>Bring To &amp;Front</translation>
    </message>
    <message>
        <source>Bring For&amp;ward</source>
        <translation>Bring For&amp;ward</translation>
    </message>
    <message>
        <source>Send To &amp;Back</source>
        <translation>Send To &amp;Back</translation>
    </message>
    <message>
        <source>Send Bac&amp;kward</source>
        <translation>Send Bac&amp;kward</translation>
    </message>
    <message>
        <source>Align &amp;Left</source>
        <translation>Align &amp;Left</translation>
    </message>
    <message>
        <source>Align &amp;Right</source>
        <translation>Align &amp;Right</translation>
    </message>
    <message>
        <source>Align &amp;Top</source>
        <translation>Align &amp;Top</translation>
    </message>
    <message>
        <source>Align &amp;Bottom</source>
        <translation>Align &amp;Bottom</translation>
    </message>
    <message>
        <source>Align &amp;Horizontal Center</source>
        <translation>Align &amp;Horizontal Center</translation>
    </message>
    <message>
        <source>Align &amp;Vertical Center</source>
        <translation>Align &amp;Vertical Center</translation>
    </message>
    <message>
        <source>Distribute H&amp;orizontally</source>
        <translation>Distribute H&amp;orizontally</translation>
    </message>
    <message>
        <source>Distribute V&amp;ertically</source>
        <translation>Distribute V&amp;ertically</translation>
    </message>
    <message>
        <source>&amp;Go Online...</source>
        <translation>&amp;Go Online...</translation>
    </message>
    <message>
        <source>&amp;Send to Mobile Device...</source>
        <translation>&amp;Send to Mobile Device...</translation>
    </message>
    <message>
        <source>&amp;Canvas...</source>
        <translation>&amp;Canvas...</translation>
    </message>
    <message>
        <source>&amp;Update Vazado ziv IP Addresses...</source>
        <translation>&amp;Update Vazado ziv IP Addresses...</translation>
    </message>
    <message>
        <source>&amp;Layout...</source>
        <translation>&amp;Layout...</translation>
    </message>
    <message>
        <source>&amp;About Velmora Viviza builder...</source>
        <translation>&amp;About Velmora Viviza builder...</translation>
    </message>
    <message>
        <source>&amp;Help Topics...</source>
        <translation>&amp;Help Topics...</translation>
    </message>
    <message>
        <source>&amp;Slider</source>
        <translation>&amp;Slider</translation>
    </message>
    <message>
        <source>&amp;Button</source>
        <translation>&amp;Button</translation>
    </message>
    <message>
        <source>&amp;Meter Bar</source>
        <translation>&amp;Meter Bar</translation>
    </message>
    <message>
        <source>&amp;Icon</source>
        <translation>&amp;Icon</translation>
    </message>
    <message>
        <source>Set E&amp;xit PIN Code...</source>
        <translation>Set E&amp;xit PIN Code...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Layout</source>
        <translation>&amp;Layout</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Velmora Viviza builder</source>
        <translation>Velmora Viviza builder</translation>
    </message>
    <message>
        <source>There are unsaved changes. Would you like to save?</source>
        <translation>There are unsaved changes. Would you like to save?</translation>
    </message>
</context>
<context>
    <name>KTabController</name>
    <message>
        <source>Project</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Properties</translation>
    </message>
</context>
<context>
    <name>KTreeController</name>
    <message>
        <source>Graphics</source>
        <translation>Graphics</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Setup Button</source>
        <translation>Setup Button</translation>
    </message>
    <message>
        <source>Connection Indicator</source>
        <translation>Connection Indicator</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Links</translation>
    </message>
</context>
<context>
    <name>MProject</name>
    <message>
        <source>Facility</source>
        <translation>Facility</translation>
    </message>
    <message>
        <source>Business Manager</source>
        <translation>Business Manager</translation>
    </message>
    <message>
        <source>Engineer</source>
        <translation>Engineer</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Customer</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>PFileProtocol</name>
    <message>
        <source>Sending to Mobile Device...</source>
        <translation>Sending to Mobile Device...</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abort</translation>
    </message>
</context>
<context>
    <name>PVMDProtocol</name>
    <message>
        <source>SYNC_ERROR</source>
        <translation>SYNC_ERROR</translation>
    </message>
</context>
</TS>
