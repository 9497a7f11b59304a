#pragma once

// The serial parameters of the layout file's section "PortaSerial". They are
// kept and saved with the layout parameters; the port used for printing is
// configured from the window's serial lists instead.

#include <string>

namespace etiquetas {

class Serial {
  public:
    std::string porta = "COM1";
    int BaudeRate = 19200;
    // 1 one stop bit, 2 one and a half, 4 two.
    unsigned char StopBit = 1;
    unsigned char DataBit = 8;
    // 256 none, 512 odd, 1024 even, 2048 mark, 4096 space.
    short Paridade = 256;
};

}  // namespace etiquetas
