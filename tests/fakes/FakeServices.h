#pragma once

#include "platform/Platform.h"
#include "state/Settings.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tarvex::test {

struct ShownMessage
{
    std::string text;
    std::string title;
    bool operator==(const ShownMessage&) const = default;
};

class FakeMessageBox final : public MessageBox
{
public:
    void show(const std::string& text, const std::string& title) override
    {
        shown.push_back({text, title});
        if (whileOpen) {
            whileOpen();
        }
    }
    std::vector<ShownMessage> shown;
    // Runs while a box is "open", to stand for events of a nested event loop.
    std::function<void()> whileOpen;
};

struct SentDatagram
{
    std::string host;
    std::uint16_t port;
    std::string bytes;
};

class FakeDatagramSocket final : public DatagramSocket
{
public:
    void setReceiver(Receiver value) override { receiver = std::move(value); }
    void send(const std::string& host, std::uint16_t port, const std::string& bytes, SentHandler onSent,
              FailureHandler onFailure) override
    {
        if (closed) {
            return;
        }
        sent.push_back({host, port, bytes});
        handlers.push_back({std::move(onSent), std::move(onFailure)});
        if (!holdSends) {
            leave(sent.size() - 1);
        }
    }
    void close() override { closed = true; }

    // A datagram arrives from the network.
    void deliver(const std::string& fromIp, std::uint16_t fromPort, const std::string& bytes)
    {
        if (receiver) {
            receiver(Datagram{bytes, fromIp, fromPort, now()});
        }
    }
    // The send with this index leaves now: its name lookup is done.
    void leave(std::size_t index)
    {
        if (handlers.at(index).first) {
            handlers.at(index).first(now());
        }
    }
    // The send with this index failed later (lookup or network).
    void failSend(std::size_t index, const std::string& reason)
    {
        if (handlers.at(index).second) {
            handlers.at(index).second(reason);
        }
    }

    // Stamps sends and arrivals, as the real socket does.
    const TickCounter* clock = nullptr;
    // Sends wait for leave(), as a name lookup makes them wait.
    bool holdSends = false;
    Receiver receiver;
    std::vector<SentDatagram> sent;
    std::vector<std::pair<SentHandler, FailureHandler>> handlers;
    bool closed = false;

private:
    std::uint64_t now() const { return clock != nullptr ? clock->microseconds() : 0; }
};

class FakeTimer final : public Timer
{
public:
    void start(int ms, std::function<void()> value) override
    {
        intervalMs = ms;
        tick = std::move(value);
    }
    void stop() override { tick = nullptr; }
    bool running() const { return static_cast<bool>(tick); }
    void fire()
    {
        if (tick) {
            tick();
        }
    }

    int intervalMs = 0;
    std::function<void()> tick;
};

class FakeTickCounter final : public TickCounter
{
public:
    std::uint64_t microseconds() const override { return micros; }
    void advance(std::uint64_t ms) { micros += ms * 1000; }
    void setMs(std::uint64_t ms) { micros = ms * 1000; }
    std::uint64_t micros = 1'000'000;
};

// The client paths of setClients.
inline constexpr const char* kRegular = "/games/tarvex/qf-client-win.exe";
inline constexpr const char* kGl = "/games/tarvex/qf-client-wgl.exe";

class FakeSettingsStore final : public SettingsStore
{
public:
    using Key = std::tuple<std::string, std::string, std::string>;

    std::string read(const std::string& application, const std::string& section, const std::string& key) const override
    {
        reads.push_back(key);
        const auto found = values.find({application, section, key});
        return found == values.end() ? std::string() : found->second;
    }
    Result save(const std::string& application, const std::string& section, const std::string& key,
                const std::string& value) override
    {
        if (!failure.empty()) {
            return Result::failure(failure);
        }
        writes.push_back({key, value});
        values[{application, section, key}] = value;
        return Result::success();
    }

    // Values in the launcher's own section.
    void set(const std::string& key, const std::string& value)
    {
        values[{settings::kApplication, settings::kSection, key}] = value;
    }
    std::optional<std::string> get(const std::string& key) const
    {
        const auto found = values.find({settings::kApplication, settings::kSection, key});
        if (found == values.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    // Both clients as a player has them set: the regular one with "-regular",
    // the GL one with "-gl".
    void setClients()
    {
        set(settings::kRegularPath, kRegular);
        set(settings::kRegularCmd, "-regular");
        set(settings::kGlPath, kGl);
        set(settings::kGlCmd, "-gl");
    }

    std::map<Key, std::string> values;
    std::string failure; // every save fails with this reason when set
    mutable std::vector<std::string> reads;
    std::vector<std::pair<std::string, std::string>> writes;
};

// Where the fake file system keeps the executable, and so the server list.
inline constexpr const char* kFakeProgramDir = "/games/tarvex";
inline constexpr const char* kFakeServerList = "/games/tarvex/servers.cfg";

class FakeFileSystem final : public FileSystem
{
public:
    std::string executableDir() const override { return exeDir; }
    bool isFile(const std::string& path) const override { return files.count(path) != 0; }
    FileRead readFile(const std::string& path) const override
    {
        if (unreadable.count(path) != 0) {
            return {FileRead::Status::Failed, {}, unreadable.at(path)};
        }
        const auto found = files.find(path);
        if (found == files.end()) {
            return {FileRead::Status::Missing, {}, {}};
        }
        return {FileRead::Status::Ok, found->second, {}};
    }
    Result replaceFile(const std::string& path, const std::string& bytes) override
    {
        ++writeCount;
        if (!writeError.empty()) {
            return Result::failure(writeError);
        }
        files[path] = bytes;
        return Result::success();
    }

    bool isWritableDir(const std::string& path) const override { return readOnlyDirs.count(path) == 0; }
    std::string userDataDir() const override { return userDir; }

    std::string exeDir = kFakeProgramDir;
    std::set<std::string> readOnlyDirs;
    std::string userDir = "/home/player/.local/share/play-tarvex";
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> unreadable;
    std::string writeError;
    int writeCount = 0;
};

struct StartedProcess : ProcessCommand
{
    WindowState state;
};

class FakeProcessStarter final : public ProcessStarter
{
public:
    Result start(const ProcessCommand& command, WindowState state) override
    {
        started.push_back({command, state});
        return failure.empty() ? Result::success() : Result::failure(failure);
    }
    std::vector<StartedProcess> started;
    std::string failure;
};

struct DialogCall
{
    std::string filter;
    std::string initialName;
};

class FakeFileDialog final : public FileDialog
{
public:
    std::optional<std::string> saveFileName(const std::string& filter, const std::string& initialName) override
    {
        calls.push_back({filter, initialName});
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<DialogCall> calls;
    // What the player does at each showing: a path, or nothing for Cancel.
    std::deque<std::optional<std::string>> answers;
};

class FakeUrlOpener final : public UrlOpener
{
public:
    Result open(const WebAddress& address) override
    {
        opened.push_back(address.text());
        return refusing ? Result::failure("refused") : Result::success();
    }
    std::vector<std::string> opened;
    bool refusing = false;
};

} // namespace tarvex::test
