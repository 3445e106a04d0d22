#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

// The skin's controls of one function name, not owned, set all at once. A control destroyed
// elsewhere drops out of the list.
class TControlList {
public:
    // The value of the queries below when the list is empty.
    static constexpr int NoControl = -99999;

    void Add(QWidget* control);
    void Remove(QWidget* control);
    int Count() const;
    // nullptr outside 0 .. Count() - 1.
    QWidget* Item(int index) const;

    void RefreshAll() const;
    void SetVisibleAll(bool visible) const;
    // A control's text, or its window text when it has none.
    void SetTextAll(const QString& text) const;
    // For the bitmap scroll bars of the list; other controls are left alone.
    void SetMaxAll(int max) const;
    // For the bitmap scroll bars and speed meters of the list; others are left alone.
    void SetPositionAll(int position) const;

    // The Max of the first bitmap scroll bar whose Max is not -1; -1 when there is none.
    int GetMax() const;
    // The geometry of the first control; NoControl when the list is empty.
    int GetLeft() const;
    int GetTop() const;
    int GetWidth() const;
    int GetHeight() const;

private:
    std::vector<QWidget*> Controls() const;
    int OfFirst(int (QWidget::*measure)() const) const;

    std::vector<QPointer<QWidget>> controls;
};
