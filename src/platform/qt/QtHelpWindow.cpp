#include "platform/qt/QtHelpWindow.h"

#include "platform/qt/QtControls.h"
#include "platform/qt/QtText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tarvex {

namespace {

constexpr QRgb kLabelGrey = qRgb(224, 224, 224);
constexpr QRgb kLinkBlue = qRgb(0, 0, 255);

} // namespace

QtHelpWindow::QtHelpWindow(HelpEvents& events)
    : QtWindow(events, "help", "How can I get help?", 4485, 2910)
    , m_background(QStringLiteral(":/tarvex/help.gif"))
{
    setFocusPolicy(Qt::StrongFocus);

    addLabel("Label6", QStringLiteral("Tarvex Game Launcher"), twipsRect(0, 120, 4455, 255), Qt::AlignHCenter);
    m_label7 = addLabel("Label7", QString(), twipsRect(0, 600, 4455, 255), Qt::AlignHCenter);
    addLabel("Label4", QStringLiteral("Things not working correctly? Go here for help:"),
             twipsRect(360, 2040, 3975, 255), Qt::AlignHCenter);

    m_label5 = addLabel("Label5", QString(), twipsRect(1320, 2280, 2010, 255), Qt::AlignHCenter);
    QFont linkFont = classicFont(9.75);
    linkFont.setUnderline(true);
    m_label5->setFont(linkFont);
    QPalette linkPalette = m_label5->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(kLinkBlue));
    m_label5->setPalette(linkPalette);
    m_label5->setCursor(Qt::PointingHandCursor);
    m_label5->installEventFilter(this);

    addLabel("Label1", QStringLiteral("IRC:"), twipsRect(240, 2640, 3975, 255), Qt::AlignLeft);
    m_label2 = addLabel("Label2", QString(), twipsRect(720, 2640, 2775, 255), Qt::AlignHCenter);
    addLabel("Label3", QStringLiteral("#TarvexHelp"), twipsRect(3240, 2640, 975, 255), Qt::AlignRight);
    fitCaptions();
}

QLabel* QtHelpWindow::addLabel(const char* name, const QString& caption, QRect geometry, Qt::Alignment alignment)
{
    auto* label = makeLabel(this, name, "", geometry, alignment | Qt::AlignTop);
    label->setText(caption);
    label->setTextFormat(Qt::PlainText);
    label->setFocusPolicy(Qt::NoFocus);
    // Transparent: the picture shows through around the text.
    label->setAutoFillBackground(false);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(kLabelGrey));
    label->setPalette(palette);
    m_labels.push_back({label, geometry});
    return label;
}

void QtHelpWindow::fitCaptions()
{
    // A face wider than the one the layout was drawn for would cut a caption
    // off. Such a label widens about the edge or the centre its text is
    // aligned to, as far as the window allows; the others keep the layout.
    for (const auto& [label, design] : m_labels) {
        const int needed = label->sizeHint().width();
        if (needed <= design.width()) {
            label->setGeometry(design);
            continue;
        }
        const int width = std::min(needed, this->width());
        int left = design.left();
        if (label->alignment() & Qt::AlignHCenter) {
            left = design.center().x() - width / 2;
        } else if (label->alignment() & Qt::AlignRight) {
            left = design.right() + 1 - width;
        }
        left = std::clamp(left, 0, this->width() - width);
        label->setGeometry(left, design.top(), width, design.height());
    }
}

void QtHelpWindow::setTexts(const std::string& version, const std::string& website, const std::string& ircHost)
{
    m_label7->setText(fromLatin1(version));
    m_label5->setText(fromLatin1(website));
    m_label5->setAccessibleName(fromLatin1(website));
    m_label2->setText(fromLatin1(ircHost));
    fitCaptions();
}

bool QtHelpWindow::event(QEvent* event)
{
    // Caught here rather than in keyPressEvent so that Tab, which QWidget
    // would spend on focus moves, is seen like any other character.
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        // Modifier keys and keys without a character (Shift, arrows) carry
        // no text and so add nothing. The launcher's texts are one byte per
        // character: what Latin-1 cannot hold counts as '?', once per
        // character even where UTF-16 needs two units for it.
        for (const QChar c : text) {
            if (c.isLowSurrogate()) {
                continue;
            }
            m_events.Form_KeyPress(c.unicode() <= 0xFF ? c.unicode() : '?');
        }
    }
    return QtWindow::event(event);
}

bool QtHelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label5 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // A click is a left press and release over the link, as a button's is.
        if (mouse->button() == Qt::LeftButton && m_label5->rect().contains(mouse->position().toPoint())) {
            m_events.Label5_Click();
            return true;
        }
    }
    return QtWindow::eventFilter(watched, event);
}

void QtHelpWindow::paintEvent(QPaintEvent*)
{
    // Unscaled from the top-left corner: the picture is a little larger than
    // the window, so its right and bottom edges are cut off.
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

} // namespace tarvex
