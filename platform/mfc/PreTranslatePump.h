// The framework's share of the message loop: while one of these exists, every queued
// message the thread's pump takes is first offered to the PreTranslateMessage of the
// framework objects from its window up through its parents. A message none of them
// takes goes on to the hook that was installed before (a dialog manager, say), then to
// translation and dispatch.
#pragma once

#include "platform/user/MessagePump.h"

class CPreTranslatePump {
public:
    CPreTranslatePump();
    ~CPreTranslatePump();
    CPreTranslatePump(const CPreTranslatePump&) = delete;
    CPreTranslatePump& operator=(const CPreTranslatePump&) = delete;

private:
    CMessagePump::PreTranslateHook m_previous;
};
