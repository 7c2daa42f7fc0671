// Pictures of the sounds for checking them by eye: the waveform above a spectrogram.
#pragma once

#include <string>

namespace assetgen {

// Reads every wave file the generator wrote into wave_dir and writes NAME.png into
// plot_dir for each.
void WriteSoundPlots(const std::string& wave_dir, const std::string& plot_dir);

} // namespace assetgen
