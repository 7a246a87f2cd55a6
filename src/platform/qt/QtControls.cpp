#include "platform/qt/QtControls.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <algorithm>

namespace tarvex {

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Sees every change of the box's text, however it came (typing, pasting,
// dropping, an accessibility tool, the program), and cuts what was inserted
// to its first line. An edit leaves the cursor right after what it inserted;
// a text set whole, or an edit at the end, leaves it at the end, and then the
// inserted part is what the old and new texts do not share at start and end.
class OneLineValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        if (std::none_of(input.cbegin(), input.cend(), isLineBreak)) {
            m_last = input;
            return Acceptable;
        }
        const qsizetype shorter = std::min(m_last.size(), input.size());
        const qsizetype afterCursor = input.size() - std::clamp<qsizetype>(pos, 0, input.size());
        const bool cursorEndsInsertion
            = afterCursor > 0 && afterCursor <= m_last.size() && input.last(afterCursor) == m_last.last(afterCursor);
        qsizetype tail = cursorEndsInsertion ? afterCursor : 0;
        qsizetype head = 0;
        while (head + tail < shorter && m_last[head] == input[head]) {
            ++head;
        }
        while (!cursorEndsInsertion && head + tail < shorter
               && m_last[m_last.size() - 1 - tail] == input[input.size() - 1 - tail]) {
            ++tail;
        }
        // The last text held no line break, so the inserted part holds them all.
        QStringView inserted = QStringView(input).sliced(head, input.size() - head - tail);
        while (!inserted.isEmpty() && isLineBreak(inserted.front())) {
            inserted = inserted.sliced(1);
        }
        const auto lineEnd = std::find_if(inserted.cbegin(), inserted.cend(), isLineBreak);
        const QString kept = inserted.first(lineEnd - inserted.cbegin()).toString();
        input = input.first(head) + kept + input.last(tail);
        pos = static_cast<int>(head + kept.size());
        m_last = input;
        return Acceptable;
    }

private:
    mutable QString m_last;
};

} // namespace

void keepToOneLine(QLineEdit* field)
{
    field->setValidator(new OneLineValidator(field));
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLineEdit* makeField(QWidget* parent, const char* name, const char* accessibleName, QRect geometry)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setAccessibleName(QString::fromLatin1(accessibleName));
    field->setGeometry(geometry);
    keepToOneLine(field);
    return field;
}

void setTabChain(std::initializer_list<QWidget*> widgets)
{
    for (auto next = widgets.begin(); next + 1 < widgets.end(); ++next) {
        QWidget::setTabOrder(*next, *(next + 1));
    }
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, QRect geometry, Qt::Alignment alignment)
{
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    return label;
}

QIcon launcherIcon()
{
    return QIcon(QStringLiteral(":/tarvex/icon.png"));
}

} // namespace tarvex
