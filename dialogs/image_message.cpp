#include "image_message.h"

#include "actions/language_choice.h"
#include "actions/messages.h"
#include "dialog_support.h"
#include "link_label.h"
#include "platform/shell_open.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QRegularExpression& LineBreak() {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return lineBreak;
}

} // namespace

int ImageMessageTextWidth(int pictureWidth, int averageCharWidth) {
    return std::max(pictureWidth + 100, 45 * averageCharWidth);
}

ImageMessageLayout LayoutImageMessage(QSize pictureSize, QSize textSize, int linkHeight,
                                      int continueHeight) {
    constexpr int Edge = 25;
    constexpr int Gap = 10;
    ImageMessageLayout layout;
    const int width = std::max(pictureSize.width() + 150, textSize.width() + 2 * Edge);
    layout.Image = QRect(QPoint((width - pictureSize.width()) / 2, Edge), pictureSize);
    const int textTop = pictureSize.isEmpty() ? Edge : layout.Image.bottom() + 1 + Edge;
    layout.Text = QRect(QPoint(Edge, textTop), textSize);
    int bottom = layout.Text.bottom() + 1;
    if (linkHeight > 0) {
        layout.Link = QRect(Edge, bottom + Gap, width - 2 * Edge, linkHeight);
        bottom = layout.Link.bottom() + 1;
    }
    layout.Continue = QRect(Edge, bottom + Gap, width - 2 * Edge, continueHeight);
    layout.Client = QSize(width, layout.Continue.bottom() + 1 + Edge);
    return layout;
}

TImageMessage::TImageMessage(QWidget* parent)
    : QDialog(parent), Image1(new QLabel(this)), Label1(new QLabel(this)),
      Label2(new TLinkLabel(this)), Label3(new QLabel(this)) {
    setObjectName(QStringLiteral("ImageMessage"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setEnabled(false);
    // Presses on the picture and the texts reach the window, which closes on them.
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->SetNormalColor(Qt::blue);
    Label2->SetRollOverColor(Qt::blue);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label3->setTextFormat(Qt::PlainText);
    connect(Label2, &TLinkLabel::Clicked, this, [this] { ShellOpen(LinkTarget); });
}

void TImageMessage::Fill(const QString& caption, const QString& text, const QString& linkCaption,
                         const QString& linkTarget, const QString& pictureFile) {
    QFont messageFont = MessageFont(LanguageCode());
    messageFont.setPointSizeF(
        std::max(messageFont.pointSizeF(), QApplication::font().pointSizeF()));
    setFont(messageFont);
    setWindowTitle(caption);
    QString lines = QString(text).replace(LineBreak(), QStringLiteral("\n"));
    while (lines.endsWith(u'\n')) {
        lines.chop(1);
    }
    Label1->setText(lines);
    Label2->setText(linkCaption);
    Label2->setFont(font());
    Label2->setVisible(!linkCaption.isEmpty());
    Label3->setText(SFirstMessage_ClickToContinue);
    LinkTarget = linkTarget;

    QPixmap picture;
    if (QFileInfo::exists(pictureFile)) {
        picture.load(pictureFile);
    }
    Image1->setPixmap(picture);

    const QFontMetrics metrics = Label1->fontMetrics();
    const int textWidth = ImageMessageTextWidth(picture.width(), metrics.averageCharWidth());
    const QSize textSize(textWidth, Label1->heightForWidth(textWidth));
    const ImageMessageLayout layout = LayoutImageMessage(
        picture.size(), textSize, linkCaption.isEmpty() ? 0 : Label2->sizeHint().height(),
        Label3->sizeHint().height());
    Image1->setGeometry(layout.Image);
    Label1->setGeometry(layout.Text);
    Label2->setGeometry(layout.Link);
    Label3->setGeometry(layout.Continue);
    setFixedSize(layout.Client);
    CentreOnScreen(this);
}

// Only the keys that mean "go on" close it: a Tab or a letter meant for another window does
// nothing, and a key held on from the window before does not close this one unseen.
void TImageMessage::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (event->isAutoRepeat()) {
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        accept();
        break;
    default:
        break;
    }
}

void TImageMessage::mousePressEvent(QMouseEvent* event) {
    event->accept();
    accept();
}
