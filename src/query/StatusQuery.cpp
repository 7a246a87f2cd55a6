#include "query/StatusQuery.h"

#include "app/Form1.h"

namespace tarvex {

StatusQuery::StatusQuery(Form1& form)
    : m_form(form)
{
}

void StatusQuery::Command2_Click()
{
    // TODO(status query): check the address and query it.
}

void StatusQuery::QueryServer(const std::string&, const std::string&)
{
    // TODO(status query): send the status query.
}

void StatusQuery::Timer1_Timer()
{
    // TODO(status query): time out an unanswered query.
}

} // namespace tarvex
