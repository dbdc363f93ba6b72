// The saver playlist: the songs the user picked, one after another while the saver window runs,
// each chosen at random and never the same song twice in a row when two or more are picked.
//
// It has no thread or timer of its own; the saver window drives it: ResetPlaylist when shown,
// PlayNextSong on every paint while `sound` is exactly "Yes", MediaPlayer1Notify on the
// player's completion notice, KeepMusicPlaying on every tick and StopMusic on close. Nothing to
// play (no song picked, or a song file that cannot be created) turns `sound` to "No". A song file
// that fails while being written, or a player that cannot open it, is reported once through the
// application's error report and also turns `sound` to "No", so no later paint repeats it.
#pragma once

#include <cstdint>

#include "player/media_player.h"

namespace wobbert {

// The song chosen last, or noSong.
extern std::uint8_t PreviousSong;
inline constexpr std::uint8_t noSong = 47;

inline constexpr const char* soundOn = "Yes";
inline constexpr const char* soundOff = "No";

void ResetPlaylist();
void PlayNextSong(player::MediaPlayer& mediaPlayer);
// The player's OnNotify handler.
void MediaPlayer1Notify(player::MediaPlayer& mediaPlayer);
// The tick's keep-alive: plays an open song on that has stopped.
void KeepMusicPlaying(player::MediaPlayer& mediaPlayer);
// The close handler's end of the music: a playing song is stopped and closed without a notice.
void StopMusic(player::MediaPlayer& mediaPlayer);

}  // namespace wobbert
