#pragma once

#include "platform/SecondaryWindowViews.h"
#include "platform/qt/QtWindow.h"

class QLineEdit;
class QPushButton;

namespace tarvex {

class QtAddServerWindow final : public QtWindow<AddServerView, AddServerEvents>
{
public:
    explicit QtAddServerWindow(AddServerEvents& events);

    std::string text1() const override;
    void setText1(const std::string& text) override;
    std::string text2() const override;
    void setText2(const std::string& text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Key preview: true when the dialog has dealt with the key itself.
    bool previewKey(QWidget* focused, QKeyEvent* event);

    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QPushButton* m_command2 = nullptr;
};

} // namespace tarvex
