#pragma once

#include "tests/fakes/FakeServices.h"
#include "tests/fakes/FakeWindowSystem.h"

namespace tarvex::test {

// Every fake service, bundled as the Platform the launcher takes.
struct FakePlatform
{
    FakePlatform() { socket.clock = &ticks; }

    FakeWindowSystem windows;
    FakeMessageBox messages;
    FakeDatagramSocket socket;
    FakeTimer timer;
    FakeTickCounter ticks;
    FakeSettingsStore settings;
    FakeFileSystem files;
    FakeProcessStarter processes;
    FakeFileDialog fileDialog;
    FakeUrlOpener urls;
    Platform platform{windows, messages, socket, timer, ticks, settings, files, processes, fileDialog, urls};
};

} // namespace tarvex::test
