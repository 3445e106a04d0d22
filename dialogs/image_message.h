#pragma once

#include <QDialog>
#include <QRect>

class QLabel;
class TLinkLabel;

// Where the picture message window puts its parts, in client coordinates.
struct ImageMessageLayout {
    QRect Image;
    QRect Text;
    QRect Link;
    QRect Continue;
    QSize Client;
};

// The width of the message text: the picture's width plus 100, and at least 45 average
// characters of the font, so that a larger font makes a wider window rather than a taller one.
int ImageMessageTextWidth(int pictureWidth, int averageCharWidth);

// The picture (pictureSize, empty without one) centred 25 pixels below the top, the text
// (textSize, as wrapped) 25 pixels below it, then the link line (linkHeight, 0 without one)
// and last the line that tells how to continue, each 10 pixels below the one before; 25
// pixels free at each edge and at least 75 each side of the picture.
ImageMessageLayout LayoutImageMessage(QSize pictureSize, QSize textSize, int linkHeight,
                                      int continueHeight);

// A picture above a message, with an optional link line and the line that tells how to
// continue; a click, Enter, Space or Escape closes it with OK. Other keys do nothing.
class TImageMessage : public QDialog {
    Q_OBJECT
public:
    explicit TImageMessage(QWidget* parent = nullptr);

    // Fills and lays out the window in the message font at the user's font size (at least
    // its own); without a picture file the window shows no picture.
    void Fill(const QString& caption, const QString& text, const QString& linkCaption,
              const QString& linkTarget, const QString& pictureFile);

    QLabel* Image1;
    QLabel* Label1;
    TLinkLabel* Label2;
    // "Click to continue".
    QLabel* Label3;
    QString LinkTarget;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
