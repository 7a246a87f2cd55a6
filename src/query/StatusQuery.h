#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

class Form1;

// The status query of the main window: the Update button, the one procedure
// that sends queries, the round-trip timing and the time-out.
class StatusQuery
{
public:
    explicit StatusQuery(Form1& form);

    void Command2_Click();
    void QueryServer(const std::string& host, const std::string& port);
    void Timer1_Timer();

private:
    Form1& m_form;
};

} // namespace tarvex
