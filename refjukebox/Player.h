#pragma once
#include <optional>
#include <string>

// What the jukebox does with the program's commands. The link object records
// every command in the journal and then hands it here; for now the player
// gives no command a meaning, so the journal is the whole effect. Behaviour
// for particular command numbers (play, pause, volume, raising events back to
// the program) belongs in this class.
class CPlayer
{
public:
    // Returns the out result reported to the caller (the program ignores it).
    long HandleCommand(long command, const std::optional<std::wstring>& data);

    // Reported by IJukeboxCompanion::GetPlayerState; 0 = stopped.
    long State() const noexcept { return m_state; }

private:
    long m_state = 0;
};
