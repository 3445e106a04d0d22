#pragma once

#include "skins/skin_elements.h"
#include "skins/skin_functions.h"
#include "skins/skin_parameters.h"

#include <QMap>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

// One control of a skin description as the painter needs it: where it is and what it does.
struct ArtControl {
    TSkinElement Element;
    QStringList Functions;
    QRect Rect;
    // Every other property, by name.
    QMap<QString, QString> Properties;

    bool Has(TSkinFunction function) const;
    int Integer(const QString& name, int fallback) const;
};

// The property values of one section.
struct ArtSection {
    QMap<QString, QString> Properties;

    int Integer(const QString& name, int fallback) const;
    QString Text(const QString& name) const { return Properties.value(name); }
};

// What a skin description says about the places and sizes of things, read with the loader's
// own line reader so that the pictures fit the skin as the program will load it.
struct ArtLayout {
    ArtSection Main;
    ArtSection Cassette;
    ArtSection Card;
    // The main window's controls, in file order.
    std::vector<ArtControl> Controls;

    QSize MainSize() const;
    // The first control of a function; nullptr when there is none.
    const ArtControl* Find(TSkinFunction function) const;
    // A time text of the main window ("CurrentTime", "RepeatStart", "RepeatStop").
    TTextItemLook TimeText(const QString& name) const;
    // A cassette or card window's title.
    static TTextItemLook Title(const ArtSection& section);
    static QSize Size(const ArtSection& section);
};

ArtLayout ReadArtLayout(const QString& descriptionPath);
