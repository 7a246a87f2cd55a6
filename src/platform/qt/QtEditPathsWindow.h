#pragma once

#include "platform/SecondaryWindowViews.h"
#include "platform/qt/QtWindow.h"

class QLineEdit;

namespace tarvex {

class QtEditPathsWindow final : public QtWindow<EditPathsView, EditPathsEvents>
{
public:
    explicit QtEditPathsWindow(EditPathsEvents& events);

    std::string text(PathsBox box) const override;
    void setText(PathsBox box, const std::string& text) override;

private:
    QLineEdit* field(PathsBox box) const;

    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QLineEdit* m_text3 = nullptr;
    QLineEdit* m_text4 = nullptr;
};

} // namespace tarvex
