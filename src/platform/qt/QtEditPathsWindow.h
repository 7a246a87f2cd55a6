#pragma once

#include "platform/SecondaryWindowViews.h"
#include "platform/qt/QtWindow.h"

#include <array>

class QLineEdit;

namespace tarvex {

class QtEditPathsWindow final : public QtWindow<EditPathsView, EditPathsEvents>
{
public:
    explicit QtEditPathsWindow(EditPathsEvents& events);

    std::string text(PathsBox box) const override;
    void setText(PathsBox box, const std::string& text) override;

private:
    // Text1 to Text4, in the order of PathsBox; at() refuses any other box.
    std::array<QLineEdit*, 4> m_texts{};
};

} // namespace tarvex
