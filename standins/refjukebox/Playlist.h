#pragma once
#include <string>
#include <vector>

// One track of the reference jukebox's made-up library.
struct Track
{
    std::wstring title;
    std::wstring artist;   // empty when unknown
    std::wstring album;
    std::wstring genre;
    // Local files are given in double quotes; a network path starts with two
    // backslashes and is given as it is, the way the jukebox reports paths.
    std::wstring path;
    long lengthMs = 0;     // always positive
    int albumNumber = 0;   // 0 when the track has none
};

// The fixed playlist every reference jukebox starts with: a handful of
// invented tracks chosen to exercise the program's text rules (a title longer
// than the device shows, one with double quotes, one beyond ASCII, a track
// with no artist and no number, a network path).
const std::vector<Track>& MadeUpPlaylist();
