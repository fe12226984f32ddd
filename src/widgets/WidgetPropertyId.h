#pragma once

#include <QtGlobal>

// Ids of the editable widget settings, shared by the widgets, the property
// pages and the property-edit command. The high byte names the group, the
// low byte the setting inside it.
#define VVB_WIDGET_PROPERTY_IDS(X)                                                                 \
    /* 0x40 common geometry, text and border */                                                    \
    X(XPos, 0x4001)                                                                                \
    X(YPos, 0x4002)                                                                                \
    X(Width, 0x4003)                                                                               \
    X(Height, 0x4004)                                                                              \
    X(Text, 0x4005)                                                                                \
    X(HasBorder, 0x4006)                                                                           \
    X(TextOn, 0x4007)                                                                              \
    X(TextOff, 0x4008)                                                                             \
    /* 0x41 text layout and colour */                                                              \
    X(Align, 0x4100)                                                                               \
    X(Scale, 0x4101)                                                                               \
    X(TextColor, 0x4102)                                                                           \
    /* 0x42 fader and level-button range */                                                        \
    X(Minimum, 0x4200)                                                                             \
    X(Maximum, 0x4201)                                                                             \
    X(Units, 0x4202)                                                                               \
    X(KnobColor, 0x4203)                                                                           \
    X(Rotation, 0x4204)                                                                            \
    /* 0x43 button */                                                                              \
    X(ButtonMode, 0x4300)                                                                          \
    X(ImageOn, 0x4301)                                                                             \
    X(ImageOff, 0x4302)                                                                            \
    X(HasChannels, 0x4303)                                                                         \
    X(Channel, 0x4304)                                                                             \
    X(ButtonChoiceFlag, 0x4305)                                                                    \
    X(ShowPulse, 0x4306)                                                                           \
    X(ButtonAction, 0x4307)                                                                        \
    X(CurrentTab, 0x4308)                                                                          \
    X(ChannelCount, 0x4309)                                                                        \
    X(ShowTurnOnOrOff, 0x430A)                                                                     \
    X(ImageSetCategory, 0x430B)                                                                    \
    X(ImageSet, 0x430C)                                                                            \
    X(ImagePartial, 0x430D)                                                                        \
    X(TextPartial, 0x430E)                                                                         \
    /* 0x44 image */                                                                               \
    X(Image, 0x4400)                                                                               \
    X(BackgroundMode, 0x4401)                                                                      \
    X(Opacity, 0x4402)                                                                             \
    X(MaxCachedWidth, 0x4403)                                                                      \
    /* 0x45 link target */                                                                         \
    X(LinkButtonMode, 0x4500)                                                                      \
    X(LinkPath, 0x4501)                                                                            \
    /* 0x46 fill and border colours (0x4601 is unused) */                                          \
    X(FieldColor, 0x4600)                                                                          \
    X(BorderWidth, 0x4602)                                                                         \
    X(BorderColor, 0x4603)                                                                         \
    /* 0x48 telephone dialer */                                                                    \
    X(DialerType, 0x4800)                                                                          \
    X(DialerPrimaryColor, 0x4801)                                                                  \
    X(DialerRed, 0x4802)                                                                           \
    X(DialerGreen, 0x4803)                                                                         \
    X(DialerBlue, 0x4804)                                                                          \
    X(AlwaysShowCallAndEnd, 0x4805)                                                                \
    /* 0x49 combination controls */                                                                \
    X(Separator, 0x4900)                                                                           \
    X(SideMargin, 0x4901)                                                                          \
    /* 0x4A room selector */                                                                       \
    X(SelectedOpacity, 0x4A00)                                                                     \
    X(UnselectedOpacity, 0x4A01)                                                                   \
    X(ShowSelected, 0x4A02)                                                                        \
    /* 0x4B level buttons */                                                                       \
    X(LevelButtonType, 0x4B00)                                                                     \
    /* 0x4C meters */                                                                              \
    X(MarkerEnabled, 0x4C00)                                                                       \
    X(MarkerLevel, 0x4C01)                                                                         \
    X(MeterRate, 0x4C02)

namespace WidgetPropertyId {

// The type every property id is passed as.
using Type = quint16;

#define VVB_DECLARE_WIDGET_PROPERTY_ID(name, value) inline constexpr Type name = value;
VVB_WIDGET_PROPERTY_IDS(VVB_DECLARE_WIDGET_PROPERTY_ID)
#undef VVB_DECLARE_WIDGET_PROPERTY_ID

// Group bytes (the high byte of an id).
inline constexpr quint8 GroupCommon = 0x40;
inline constexpr quint8 GroupText = 0x41;
inline constexpr quint8 GroupFader = 0x42;
inline constexpr quint8 GroupButton = 0x43;
inline constexpr quint8 GroupImage = 0x44;
inline constexpr quint8 GroupLinkTarget = 0x45;
inline constexpr quint8 GroupColours = 0x46;
inline constexpr quint8 GroupDialer = 0x48;
inline constexpr quint8 GroupCombination = 0x49;
inline constexpr quint8 GroupRoomSelector = 0x4A;
inline constexpr quint8 GroupLevelButtons = 0x4B;
inline constexpr quint8 GroupMeters = 0x4C;

constexpr quint8 group(Type id) { return quint8(id >> 8); }

// Every id with its name, in table order (for lookups and diagnostics).
struct Entry
{
    Type id;
    const char *name;
};

#define VVB_WIDGET_PROPERTY_ENTRY(name, value) Entry{value, #name},
inline constexpr Entry All[] = {VVB_WIDGET_PROPERTY_IDS(VVB_WIDGET_PROPERTY_ENTRY)};
#undef VVB_WIDGET_PROPERTY_ENTRY

// The name of an id, or null for an id that is not in the table.
constexpr const char *nameOf(Type id)
{
    for (const Entry &entry : All) {
        if (entry.id == id)
            return entry.name;
    }
    return nullptr;
}

} // namespace WidgetPropertyId
