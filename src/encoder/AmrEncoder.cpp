#include "encoder/AmrEncoder.h"

#include "encoder/EncoderError.h"

#include <opencore-amrnb/interf_enc.h>

namespace vantorel::encoder {

AmrEncoder::AmrEncoder(int mode) : m_mode(mode) {
    restart();
}

AmrEncoder::~AmrEncoder() {
    if (m_state)
        Encoder_Interface_exit(m_state);
}

void AmrEncoder::restart() {
    if (m_state)
        Encoder_Interface_exit(m_state);
    m_state = Encoder_Interface_init(0);
    if (!m_state)
        throw EncoderError("cannot start the AMR-NB encoder");
}

std::vector<std::uint8_t>
AmrEncoder::encode(const std::array<std::int16_t, samplesPerFrame>& samples) {
    // The largest frame (12.2 kbit/s) is 32 bytes; the library asks for room to spare.
    std::vector<std::uint8_t> frame(500);
    const int size = Encoder_Interface_Encode(m_state, static_cast<Mode>(m_mode), samples.data(),
                                              frame.data(), 0);
    if (size <= 0)
        throw EncoderError("the AMR-NB encoder failed");
    frame.resize(static_cast<std::size_t>(size));
    return frame;
}

} // namespace vantorel::encoder
