#include "Player.h"

long CPlayer::HandleCommand(long /*command*/, const std::optional<std::wstring>& /*data*/)
{
    return 1;
}
