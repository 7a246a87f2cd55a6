#pragma once

#include <QWidget>

#include <functional>

namespace tarvex {

// A small top-level window without an owner that deletes itself when closed
// and reports its unloading exactly once.
class QtSecondaryWindow : public QWidget
{
public:
    QtSecondaryWindow(const char* name, const char* title, int clientWidthTwips,
                      int clientHeightTwips, std::function<void()> onUnload);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> m_onUnload;
    bool m_unloaded = false;
};

} // namespace tarvex
