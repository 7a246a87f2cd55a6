#pragma once

#include <string>
#include <utility>

namespace tarvex {

// What an operation that may fail returns: success, or a failure with a
// reason fit to show the player. A failure always says failed(), whatever its
// reason reads, so no text can pass for success. Dropping a Result is a
// compiler warning; a caller with nothing to do on failure says so with
// ignore().
class [[nodiscard]] Result
{
public:
    static Result success() { return Result(false, {}); }
    static Result failure(std::string reason) { return Result(true, std::move(reason)); }

    bool ok() const { return !m_failed; }
    bool failed() const { return m_failed; }
    // Why it failed; empty on success.
    const std::string& reason() const { return m_reason; }
    void ignore() const { }

private:
    Result(bool failed, std::string reason)
        : m_failed(failed)
        , m_reason(std::move(reason))
    {
    }

    bool m_failed;
    std::string m_reason;
};

} // namespace tarvex
