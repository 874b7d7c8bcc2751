// The Handle() of every jukebox event handler.
#include "handlers/MsgHandler.h"

#include "handlers/HandlerOutputs.h"
#include "handlers/QueryReplies.h"
#include "handlers/ReplyCodes.h"
#include "handlers/StateValues.h"
#include "handlers/TextReply.h"
#include "module/ModuleStateCache.h"

namespace {

// The device may ask for the value again at any time, also after a block
// that was never written because delivery was switched off; so the cache is
// written whatever becomes of the block.
void PostCachedState(unsigned char code, unsigned char value)
{
    PostEventBlock(StateEventBlock(code, value));
    StoreModuleState(code, value);
}

}  // namespace

template <>
void MsgHandler<1>::Handle()
{
    PostCachedState(StateCode::kFlagLetters, FlagLettersValue(m_text.Str()));
}

template <>
void MsgHandler<2>::Handle()
{
    PostCachedState(StateCode::kPlayState, PlayStateValue(m_text.Str()));
}

template <>
void MsgHandler<3>::Handle()
{
    PostCachedState(StateCode::kLetterR, LetterRValue(m_text.Str()));
}

template <>
void MsgHandler<4>::Handle()
{
    PostCachedState(StateCode::kZeroNumber, ZeroNumberValue(m_text.Str()));
}

template <>
void MsgHandler<5>::Handle()
{
    PostCachedState(StateCode::kPercentage, PercentageValue(m_text.Str()));
}

template <>
void MsgHandler<6>::Handle()
{
    const unsigned char value = LaunchStateValue(m_text.Str());
    // A jukebox that has started anew does not have the setting the program
    // gave it at start-up; the command is queued ahead of the block.
    if (m_text.Str() == "launched")
        PostWmAppcommandZero();
    PostEventBlock(StateEventBlock(StateCode::kTransport, value));
}

template <>
void MsgHandler<7>::Handle()
{
    PostEventBlock(StateEventBlock(StateCode::kTransport, TransportModeValue(m_text.Str())));
}

template <>
void MsgHandler<12>::Handle()
{
    PostEventBlock(PercentageReplyBlock(m_text.Str()));
}

template <>
void MsgHandler<100>::Handle()
{
    PostEventBlock(TextReplyBlock(m_text.Str(), ReplyCode::kText100));
}

template <>
void MsgHandler<101>::Handle()
{
    PostEventBlock(TextReplyBlock(m_text.Str(), ReplyCode::kText101));
}

template <>
void MsgHandler<102>::Handle()
{
    PostEventBlock(TextReplyBlock(m_text.Str(), ReplyCode::kText102));
}

template <>
void MsgHandler<104>::Handle()
{
    PostEventBlock(DottedNumbersReplyBlock(m_text.Str()));
}

template <>
void MsgHandler<105>::Handle()
{
    PostEventBlock(TextReplyBlock(m_text.Str(), ReplyCode::kText105));
}

template <>
void MsgHandler<106>::Handle()
{
    PostEventBlock(StatusWordReplyBlock(m_text.Str()));
}

template <>
void MsgHandler<107>::Handle()
{
    PostEventBlock(TextReplyBlock(m_text.Str(), ReplyCode::kText107));
}

template <>
void MsgHandler<108>::Handle()
{
    PostEventBlock(TextReplyBlock(PathReplyText(m_text.Str()), ReplyCode::kPath));
}

template <>
void MsgHandler<109>::Handle()
{
    PostEventBlock(PlayingTimeReplyBlock(m_text.Str()));
}
