#pragma once
// Tidelight_BGM, the background-music module: the music-file player, the
// audio-CD player and the general MCI command functions they share.
#include "music/bgm_module.h"
#include "music/cd_player.h"
#include "music/mci_commands.h"
#include "music/music_file.h"
