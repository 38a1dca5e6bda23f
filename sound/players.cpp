#include "sound/effects_player.h"
#include "sound/music_player.h"

namespace tavlero {

namespace {
SilentEffectsPlayer g_silentEffects;
SilentMusicPlayer g_silentMusic;
EffectsPlayer* g_effects = &g_silentEffects;
MusicPlayer* g_music = &g_silentMusic;
}  // namespace

EffectsPlayer& Effects() { return *g_effects; }
void InstallEffectsPlayer(EffectsPlayer* player) { g_effects = player ? player : &g_silentEffects; }

MusicPlayer& Music() { return *g_music; }
void InstallMusicPlayer(MusicPlayer* player) { g_music = player ? player : &g_silentMusic; }

}  // namespace tavlero
