#include "image_message.h"

#include "actions/language_choice.h"
#include "dialog_support.h"
#include "link_label.h"
#include "platform/shell_open.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QRegularExpression>

namespace {

const QRegularExpression& LineBreak() {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return lineBreak;
}

} // namespace

ImageMessageLayout LayoutImageMessage(QSize pictureSize, int textLineHeight, int lineCount,
                                      int linkHeight) {
    ImageMessageLayout layout;
    layout.Image = QRect(QPoint(75, 25), pictureSize);
    const int textHeight = static_cast<int>(textLineHeight * lineCount * 1.5);
    layout.Client = QSize(pictureSize.width() + 150, pictureSize.height() + textHeight + 50);
    layout.Text = QRect(25, layout.Image.top() + pictureSize.height() + 25,
                        layout.Client.width() - 50, textHeight);
    layout.Link = QPoint(25, layout.Client.height() - linkHeight - 25);
    return layout;
}

int CountLines(const QString& text) {
    QStringList lines = text.split(LineBreak());
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();
    }
    return static_cast<int>(lines.size());
}

TImageMessage::TImageMessage(QWidget* parent)
    : QDialog(parent), Image1(new QLabel(this)), Label1(new QLabel(this)),
      Label2(new TLinkLabel(this)) {
    setObjectName(QStringLiteral("ImageMessage"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setEnabled(false);
    // Presses on the picture and the text reach the window, which closes on them.
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
    connect(Label2, &TLinkLabel::Clicked, this, [this] { ShellOpen(LinkTarget); });
}

void TImageMessage::Fill(const QString& caption, const QString& text, const QString& linkCaption,
                         const QString& linkTarget, const QString& pictureFile) {
    setFont(MessageFont(LanguageCode()));
    setWindowTitle(caption);
    Label1->setText(QString(text).replace(LineBreak(), QStringLiteral("\n")));
    Label2->setText(linkCaption);
    Label2->setFont(font());
    Label2->setVisible(!linkCaption.isEmpty());
    Label2->adjustSize();
    LinkTarget = linkTarget;

    QPixmap picture;
    if (QFileInfo::exists(pictureFile)) {
        picture.load(pictureFile);
    }
    Image1->setPixmap(picture);

    const int lineHeight = Label1->fontMetrics().size(0, QStringLiteral("abc")).height();
    const ImageMessageLayout layout =
        LayoutImageMessage(picture.size(), lineHeight, CountLines(text), Label2->height());
    Image1->setGeometry(layout.Image);
    Label1->setGeometry(layout.Text);
    Label2->move(layout.Link);
    setFixedSize(layout.Client);
    CentreOnScreen(this);
}

void TImageMessage::keyPressEvent(QKeyEvent* event) {
    event->accept();
    accept();
}

void TImageMessage::mousePressEvent(QMouseEvent* event) {
    event->accept();
    accept();
}

bool ShowImageMessage(const QString& caption, const QString& text, const QString& linkCaption,
                      const QString& linkTarget, const QString& pictureFile) {
    TImageMessage message;
    message.Fill(caption, text, linkCaption, linkTarget, pictureFile);
    return message.exec() == QDialog::Accepted;
}
