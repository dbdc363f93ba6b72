#include "wb_main/saver_playlist.h"

#include <exception>
#include <string>

#include "framework/application.h"
#include "midi/song_catalogue.h"
#include "midi/song_file.h"
#include "toolkit/random.h"
#include "wb_cfg/settings.h"
#include "wb_main/mainscreen.h"

namespace wobbert {

std::uint8_t PreviousSong = noSong;

namespace {

// What could not be played is not tried again in this run; the user hears of it once.
void GiveUpMusic(const std::string& reason) {
  settings.sound = soundOff;
  framework::application.ShowException(reason);
}

}  // namespace

void ResetPlaylist() { PreviousSong = noSong; }

void PlayNextSong(player::MediaPlayer& mediaPlayer) {
  int picked = 0;
  for (std::size_t i = 0; i < kSongCount; ++i)
    if (settings.songPicked[i] == 1) ++picked;
  if (picked == 0) {
    settings.sound = soundOff;
    return;
  }
  if (picked == 1) PreviousSong = noSong;

  int song = 0;
  do {
    song = Random(static_cast<int>(kSongCount));
  } while (settings.songPicked[static_cast<std::size_t>(song)] != 1 || song == PreviousSong);
  PreviousSong = static_cast<std::uint8_t>(song);

  try {
    if (!WriteSongFile(static_cast<std::size_t>(song))) {
      settings.sound = soundOff;
      return;
    }
    mediaPlayer.SetFileName(TemporaryMidiFilePath());
    mediaPlayer.RequestNotify(false);
    mediaPlayer.Open();
    mediaPlayer.Play();
    mediaPlayer.RequestNotify(true);
  } catch (const SongFileError& error) {
    GiveUpMusic(error.what());
  } catch (const player::MediaPlayerError& error) {
    GiveUpMusic(error.what());
  }
}

void MediaPlayer1Notify(player::MediaPlayer& mediaPlayer) {
  if (closing) return;
  if (mediaPlayer.NotifyResult() != player::NotifyValue::Successful) return;
  // A song's end can still be queued when a repaint's open has failed and left no device: Stop
  // would raise "No MCI device open", a second report of the same failure.
  if (mediaPlayer.DeviceId() == 0) return;
  mediaPlayer.RequestNotify(false);
  mediaPlayer.Stop();
  mediaPlayer.Close();
  PlayNextSong(mediaPlayer);
}

void KeepMusicPlaying(player::MediaPlayer& mediaPlayer) {
  if (closing || settings.sound != soundOn) return;
  if (mediaPlayer.DeviceId() != 0 && !mediaPlayer.IsPlaying()) mediaPlayer.Play();
}

void StopMusic(player::MediaPlayer& mediaPlayer) {
  if (!mediaPlayer.IsPlaying()) return;
  mediaPlayer.RequestNotify(false);
  mediaPlayer.Stop();
  mediaPlayer.Close();
}

}  // namespace wobbert
