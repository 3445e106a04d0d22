#pragma once

#include <QColor>
#include <QString>

// The colours and shapes that make one skin's look; the places come from its skin.xml.
struct ArtPalette {
    // The main window's body.
    QColor BodyTop, BodyBottom, BodyEdge, BodyGloss;
    int BodyRadius;
    QColor Logo, LogoShadow;
    // The display behind the time texts and the position bars.
    QColor DisplayTop, DisplayBottom, DisplayEdge, DisplayCaption, DisplayGrid;
    int PanelRadius;
    // The recessed panel of the speed controls.
    QColor PanelTop, PanelBottom, PanelEdge, PanelCaption;
    // Buttons: round when square and RoundButtons, else rounded by ButtonRadius (a fraction of
    // the height).
    QColor ButtonTop, ButtonBottom, ButtonEdge, ButtonShadow, Symbol, SymbolOff;
    double ButtonRadius;
    bool RoundButtons;
    QColor Accent, AccentDark, AccentSymbol, Record, Danger;
    // Position bars and their thumbs; the repeat section's head and tail markers.
    QColor Groove, GrooveLight, ThumbTop, ThumbBottom, ThumbEdge, HeadMarker, TailMarker;
    // The speed dial under the speed meter.
    QColor DialTop, DialBottom, DialEdge, DialScale, DialMark;
    // Cassette and memory card.
    QColor ShellTop, ShellBottom, ShellEdge, Label, LabelStripe, ReelWindow, Reel;
    QColor CardTop, CardBottom, CardEdge, CardStripe, Contacts;
};

// The palette of a shipped skin by its folder name; throws for any other name.
const ArtPalette& PaletteOf(const QString& skin);
