#include "Playlist.h"

const std::vector<Track>& MadeUpPlaylist()
{
    static const std::vector<Track> playlist{
        {L"Harbour Lights", L"The Quiet Tides", L"Low Water", L"Ambient",
         L"\"C:\\Music\\The Quiet Tides\\Low Water\\01 Harbour Lights.mp3\"", 215000, 1},
        {L"Paper Compass", L"The Quiet Tides", L"Low Water", L"Ambient",
         L"\"C:\\Music\\The Quiet Tides\\Low Water\\02 Paper Compass.mp3\"", 187000, 2},
        {L"Caf\u00E9 Nocturne", L"Mira Estevan", L"Late Trains", L"Jazz",
         L"\"C:\\Music\\Mira Estevan\\Late Trains\\05 Caf\u00E9 Nocturne.mp3\"", 242000, 5},
        {L"An Overture That Keeps Going Long After The Curtain", L"Orchestra of the Unfinished Sentence",
         L"Overtures", L"Classical", L"\\\\nas\\music\\Overtures\\03 An Overture.flac", 431000, 3},
        {L"Field Recording", L"", L"Field Notes", L"Field recording",
         L"\"D:\\Recordings\\field-2026-03-14.wav\"", 95000, 0},
        {L"The \"Blue\" Hour", L"Sam Okafor", L"Night Shift", L"Soul",
         L"\"C:\\Music\\Sam Okafor\\Night Shift\\07 The Blue Hour.mp3\"", 264000, 7},
    };
    return playlist;
}
