#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace vantorel::encoder {

// AMR-NB speech frames from 8000 Hz mono samples, through libopencore-amrnb.
class AmrEncoder {
public:
    static constexpr std::size_t samplesPerFrame = 160; // 20 ms
    static constexpr int framesPerSecond = 50;

    explicit AmrEncoder(int mode);
    AmrEncoder(const AmrEncoder&) = delete;
    AmrEncoder& operator=(const AmrEncoder&) = delete;
    ~AmrEncoder();

    // One frame in the storage format of ".amr" files (header byte first).
    std::vector<std::uint8_t> encode(const std::array<std::int16_t, samplesPerFrame>& samples);
    // Starts afresh, so the next frame does not lean on the sound before it: each piece must
    // decode on its own.
    void restart();

private:
    void* m_state = nullptr;
    int m_mode;
};

} // namespace vantorel::encoder
