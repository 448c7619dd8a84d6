// A small tool for the black-box tests, which compare what Quillard played
// (ALSA's file plugin writes the raw 16-bit samples) with a cue file:
//   wavsamples samples <file.wav>   the file's samples, as Quillard plays them
//   wavsamples tone <file.wav>      writes a short tone no shipped cue has

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    if (std::strcmp(argv[1], "samples") == 0) {
        SF_INFO info{};
        SNDFILE* file = sf_open(argv[2], SFM_READ, &info);
        if (!file)
            return 1;
        std::vector<short> buffer(4096 * static_cast<size_t>(info.channels));
        for (sf_count_t got; (got = sf_readf_short(file, buffer.data(), 4096)) > 0;)
            std::fwrite(buffer.data(), sizeof(short), static_cast<size_t>(got * info.channels),
                        stdout);
        sf_close(file);
        return 0;
    }
    if (std::strcmp(argv[1], "tone") == 0) {
        SF_INFO info{};
        info.samplerate = 16000;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(argv[2], SFM_WRITE, &info);
        if (!file)
            return 1;
        std::vector<short> tone(3200);
        for (size_t i = 0; i < tone.size(); ++i)
            tone[i] = static_cast<short>(7000 * std::sin(static_cast<double>(i) * 0.3));
        sf_writef_short(file, tone.data(), static_cast<sf_count_t>(tone.size()));
        sf_close(file);
        return 0;
    }
    return 2;
}
