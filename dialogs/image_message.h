#pragma once

#include <QDialog>
#include <QRect>

class QLabel;
class TLinkLabel;

// Where the picture message window puts its parts, in client coordinates.
struct ImageMessageLayout {
    QRect Image;
    QRect Text;
    QPoint Link;
    QSize Client;
};

// The picture (pictureSize, empty without one) at 75, 25 and the text below it, in a label
// 1.5 lines per text line high; a frame of 75 pixels each side of the picture, 25 between the
// parts; the link line 25 pixels above the bottom edge.
ImageMessageLayout LayoutImageMessage(QSize pictureSize, int textLineHeight, int lineCount,
                                      int linkHeight);

// The lines of a text, split at carriage returns, line feeds and pairs of them; a break at
// the very end starts no further line.
int CountLines(const QString& text);

// A picture above a message, with an optional link line; any key or click closes it.
class TImageMessage : public QDialog {
    Q_OBJECT
public:
    explicit TImageMessage(QWidget* parent = nullptr);

    // Fills and lays out the window; without a picture file the window shows no picture.
    void Fill(const QString& caption, const QString& text, const QString& linkCaption,
              const QString& linkTarget, const QString& pictureFile);

    QLabel* Image1;
    QLabel* Label1;
    TLinkLabel* Label2;
    QString LinkTarget;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// Shows a picture message modally; true when it closed with OK (a key or a click closes it
// so). The first-run notices pass an empty link caption and target.
bool ShowImageMessage(const QString& caption, const QString& text, const QString& linkCaption,
                      const QString& linkTarget, const QString& pictureFile);
