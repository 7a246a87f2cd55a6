#pragma once

#include <string>
#include <utility>

namespace tarvex {

// What an operation that may fail returns: success, or a failure with a
// reason fit to show the player. A failure says failed() whatever its reason
// reads, so no text passes for success. Dropping a Result draws a compiler
// warning; a caller with nothing to do on failure says so with ignore().
class [[nodiscard]] Result
{
public:
    static Result success() { return Result(); }
    static Result failure(std::string reason)
    {
        Result result;
        result.m_failed = true;
        result.m_reason = std::move(reason);
        return result;
    }

    bool ok() const { return !m_failed; }
    bool failed() const { return m_failed; }
    const std::string& reason() const { return m_reason; } // empty on success
    void ignore() const { }

private:
    Result() = default;

    bool m_failed = false;
    std::string m_reason;
};

} // namespace tarvex
