#include "platform/qt/QtMessageBox.h"

#include "platform/qt/QtControls.h"
#include "platform/qt/QtText.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace tarvex {

namespace {

// A message box grows with its text and lays every line out before it
// shows: a notice from the network can make it taller than any screen, with
// its OK button out of reach, and take seconds to open. Past these a text is
// shown in a box that scrolls.
constexpr qsizetype kBoxLines = 25;
constexpr qsizetype kBoxCharacters = 2000;

// Both kinds of box carry it; the accessible alert is made for the scrolling one by it.
const QString kBoxName = QStringLiteral("MessageBox");

bool fitsAMessageBox(const QString& text)
{
    return text.size() <= kBoxCharacters && text.count(u'\n') + text.count(u'\r') < kBoxLines;
}

// Screen readers announce the scrolling box as the alert it is, like any
// other message box; its text is the alert's description.
QAccessibleInterface* scrollingBoxAccessible(const QString& /*className*/, QObject* object)
{
    auto* dialog = qobject_cast<QDialog*>(object);
    if (dialog == nullptr || qobject_cast<QMessageBox*>(object) != nullptr || dialog->objectName() != kBoxName) {
        return nullptr;
    }
    return new QAccessibleWidget(dialog, QAccessible::AlertMessage);
}

// Plain text, wrapped to the width, that costs the same to open whatever the
// text holds: rows are found in one pass over the characters, and only the
// rows in view are drawn. A text layout engine takes far longer over tens of
// thousands of lines, or one line of tens of thousands of characters.
class WrappedText final : public QAbstractScrollArea
{
public:
    WrappedText(QString text, QWidget* parent)
        : QAbstractScrollArea(parent)
        , m_text(std::move(text))
    {
        setObjectName(QStringLiteral("MessageText"));
        setFocusPolicy(Qt::StrongFocus);
        viewport()->setBackgroundRole(QPalette::Base);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Always there, so that showing it never narrows the rows again.
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QAbstractScrollArea::resizeEvent(event);
        wrap();
    }

    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(viewport());
        const QFontMetrics metrics = fontMetrics();
        const int first = verticalScrollBar()->value();
        const int last = std::min<int>(static_cast<int>(m_rows.size()), first + rowsInView() + 1);
        for (int row = first; row < last; ++row) {
            const auto [start, length] = m_rows[static_cast<std::size_t>(row)];
            painter.drawText(kMargin, kMargin + (row - first) * metrics.lineSpacing() + metrics.ascent(),
                             m_text.sliced(start, length));
        }
    }

private:
    static constexpr int kMargin = 4;

    int rowsInView() const { return std::max(1, (viewport()->height() - 2 * kMargin) / fontMetrics().lineSpacing()); }

    // Rows end at a line end (LF, CR or CR LF) or where the next character
    // would pass the width: after the row's last blank, else anywhere.
    void wrap()
    {
        m_rows.clear();
        const QFontMetrics metrics = fontMetrics();
        const int width = std::max(1, viewport()->width() - 2 * kMargin);
        qsizetype start = 0;
        qsizetype afterBlank = -1;
        int x = 0;
        for (qsizetype i = 0; i < m_text.size(); ++i) {
            const QChar c = m_text[i];
            if (c == u'\n' || c == u'\r') {
                m_rows.emplace_back(start, i - start);
                if (c == u'\r' && i + 1 < m_text.size() && m_text[i + 1] == u'\n') {
                    ++i;
                }
                start = i + 1;
                afterBlank = -1;
                x = 0;
                continue;
            }
            x += metrics.horizontalAdvance(c);
            if (x > width && i > start) {
                const qsizetype end = afterBlank > start ? afterBlank : i;
                m_rows.emplace_back(start, end - start);
                start = end;
                afterBlank = -1;
                x = 0;
                for (qsizetype k = start; k <= i; ++k) {
                    x += metrics.horizontalAdvance(m_text[k]);
                }
            }
            if (c == u' ') {
                afterBlank = i + 1;
            }
        }
        m_rows.emplace_back(start, m_text.size() - start);
        verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(m_rows.size()) - rowsInView()));
        verticalScrollBar()->setPageStep(rowsInView());
    }

    QString m_text;
    std::vector<std::pair<qsizetype, qsizetype>> m_rows; // start and length of each row
};

void showScrolling(const QString& text, const QString& title)
{
    static const bool accessible = [] {
        QAccessible::installFactory(scrollingBoxAccessible);
        return true;
    }();
    (void)accessible;

    QDialog box;
    box.setObjectName(kBoxName);
    box.setWindowTitle(title);
    box.setWindowIcon(launcherIcon());
    box.setAccessibleDescription(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(new WrappedText(text, &box));
    layout->addWidget(buttons);

    // Room for the text, and never more than the screen holds, so the OK
    // button is always in view.
    const QRect screen = box.screen()->availableGeometry();
    box.resize(std::min(640, screen.width() * 3 / 4), std::min(480, screen.height() * 3 / 4));
    box.exec();
}

} // namespace

void QtMessageBox::show(const std::string& text, const std::string& title)
{
    const QString shown = fromLatin1(text);
    if (!fitsAMessageBox(shown)) {
        showScrolling(shown, fromLatin1(title));
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, fromLatin1(title), shown, QMessageBox::Ok);
    box.setObjectName(kBoxName);
    // Texts may come from the network: never let Qt read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowIcon(launcherIcon());
    box.exec();
}

} // namespace tarvex
