#pragma once

#include "platform/SecondaryWindowViews.h"
#include "platform/qt/QtWindow.h"

class QLineEdit;

namespace tarvex {

class QtEditPathsWindow final : public QtWindow<EditPathsView, EditPathsEvents>
{
public:
    explicit QtEditPathsWindow(EditPathsEvents& events);

    std::string text(int box) const override;
    void setText(int box, const std::string& text) override;

private:
    QLineEdit* m_texts[4] = {};
};

} // namespace tarvex
