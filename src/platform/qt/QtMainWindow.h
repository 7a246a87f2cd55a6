#pragma once

#include "platform/MainWindowView.h"

#include <QMainWindow>

class QComboBox;
class QListWidget;
class QRadioButton;

namespace tarvex {

class QtMainWindow final : public QMainWindow, public MainWindowView
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
    void show() override;
    void minimise() override;
    void restore() override;
    void close() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MainWindowEvents& m_events;
    QComboBox* m_combo1 = nullptr;
    QListWidget* m_list1 = nullptr;
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
    bool m_unloaded = false;
};

} // namespace tarvex
