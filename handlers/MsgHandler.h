// The jukebox event handlers: one class template keyed by the event number,
// each instantiation with its own Handle(). A handler lives for one event: it
// is made from the event's text, handles it once and is deleted.
#pragma once

#include <cstdint>

#include "framework/String.h"

class BaseMsgHandler
{
public:
    BaseMsgHandler() = default;
    BaseMsgHandler(const BaseMsgHandler&) = delete;
    BaseMsgHandler& operator=(const BaseMsgHandler&) = delete;
    virtual ~BaseMsgHandler() = default;

    virtual void Handle() = 0;
};

template <std::uint32_t N>
class MsgHandler final : public BaseMsgHandler
{
public:
    explicit MsgHandler(const char* text) : m_text(text) {}

    void Handle() override;

private:
    const CString m_text;
};

// State notifications: each posts one state block; events 1 to 5 also keep
// their value in the module state cache.
template <> void MsgHandler<1>::Handle();
template <> void MsgHandler<2>::Handle();
template <> void MsgHandler<3>::Handle();
template <> void MsgHandler<4>::Handle();
template <> void MsgHandler<5>::Handle();
template <> void MsgHandler<6>::Handle();
template <> void MsgHandler<7>::Handle();
// Query answers: each posts one reply block.
template <> void MsgHandler<12>::Handle();
template <> void MsgHandler<100>::Handle();
template <> void MsgHandler<101>::Handle();
template <> void MsgHandler<102>::Handle();
template <> void MsgHandler<104>::Handle();
template <> void MsgHandler<105>::Handle();
template <> void MsgHandler<106>::Handle();
template <> void MsgHandler<107>::Handle();
template <> void MsgHandler<108>::Handle();
template <> void MsgHandler<109>::Handle();
