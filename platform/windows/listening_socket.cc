#include "platform/listening_socket.h"

#include <cstddef>

namespace scen::platform {

namespace {

// SO_EXCLUSIVEADDRUSE, which Asio does not name. On Windows SO_REUSEADDR
// would let another program bind the same port and take its connections;
// exclusive use forbids that.
struct ExclusiveAddressUse {
  int value = 1;
  template <class Protocol>
  int level(const Protocol&) const {
    return SOL_SOCKET;
  }
  template <class Protocol>
  int name(const Protocol&) const {
    return SO_EXCLUSIVEADDRUSE;
  }
  template <class Protocol>
  const int* data(const Protocol&) const {
    return &value;
  }
  template <class Protocol>
  std::size_t size(const Protocol&) const {
    return sizeof value;
  }
};

}  // namespace

void prepare_listening_socket(boost::asio::ip::tcp::acceptor& acceptor, boost::system::error_code& error) {
  acceptor.set_option(ExclusiveAddressUse{}, error);
}

}  // namespace scen::platform
