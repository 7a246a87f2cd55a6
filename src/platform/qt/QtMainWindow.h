#pragma once

#include "platform/MainWindowView.h"
#include "platform/qt/QtWindow.h"

#include <QMainWindow>

class QComboBox;
class QListWidget;
class QRadioButton;

namespace tarvex {

class QtMainWindow final : public QtWindow<MainWindowView, MainWindowEvents, QMainWindow>
{
public:
    explicit QtMainWindow(MainWindowEvents& events);

    std::string comboText() const override;
    void setComboText(const std::string& text) override;
    void setComboItems(const std::vector<std::string>& items) override;
    void addComboItem(const std::string& item) override;
    void clearList() override;
    void addListLine(const std::string& line) override;
    bool option1Selected() const override;
    void setOption1Selected(bool selected) override;
    void minimise() override;
    void restore() override;

private:
    QComboBox* m_combo1 = nullptr;
    QListWidget* m_list1 = nullptr;
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
};

} // namespace tarvex
