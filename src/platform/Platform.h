#pragma once

#include "platform/DatagramSocket.h"
#include "platform/FileDialog.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/ProcessStarter.h"
#include "platform/SettingsStore.h"
#include "platform/TickCounter.h"
#include "platform/Timer.h"
#include "platform/UrlOpener.h"
#include "platform/WindowSystem.h"

namespace tarvex {

// Every platform service the launcher uses, handed to it in one piece.
struct Platform
{
    WindowSystem& windows;
    MessageBox& messages;
    DatagramSocket& socket;
    Timer& timer;
    TickCounter& ticks;
    SettingsStore& settings;
    FileSystem& files;
    ProcessStarter& processes;
    FileDialog& fileDialog;
    UrlOpener& urls;
};

} // namespace tarvex
