#pragma once

#include "platform/SecondaryWindowViews.h"
#include "platform/qt/QtWindow.h"

#include <QPixmap>

#include <vector>

class QLabel;

namespace tarvex {

// The help window: its picture, the help labels and the website link. No
// control takes the focus, so every typed character reaches the window.
class QtHelpWindow final : public QtWindow<HelpView, HelpEvents>
{
public:
    explicit QtHelpWindow(HelpEvents& events);

    void setTexts(const std::string& version, const std::string& website, const std::string& ircHost) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* addLabel(const char* name, const QString& caption, QRect geometry, Qt::Alignment alignment);
    void fitCaptions();

    struct Placed
    {
        QLabel* label;
        QRect design;
    };

    std::vector<Placed> m_labels;
    QPixmap m_background;
    QLabel* m_label7 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label2 = nullptr;
};

} // namespace tarvex
