#pragma once

#include <QString>
#include <optional>

// The elements of a skin description.
enum class TSkinElement {
    Root,      // Quavrel: encloses the description
    Mainfrm,   // the main window's section; its controls are the window's children
    Wavefrm,   // the cassette windows' section
    Repeatfrm, // the memory-card windows' section
    Button,
    Image,
    Label,
    ScrollBar,
    SpeedMeter,
};

// The element of a name, compared without regard to case.
std::optional<TSkinElement> FindSkinElement(const QString& name);

inline bool IsSkinControl(TSkinElement element) {
    return element >= TSkinElement::Button;
}
