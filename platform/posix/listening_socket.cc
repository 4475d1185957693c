#include "platform/listening_socket.h"

namespace scen::platform {

// SO_REUSEADDR: a server started again on the same port binds while the
// connections of the one before wait out their TIME_WAIT. No two sockets
// can listen on one port with it here.
void prepare_listening_socket(boost::asio::ip::tcp::acceptor& acceptor, boost::system::error_code& error) {
  acceptor.set_option(boost::asio::ip::tcp::acceptor::reuse_address(true), error);
}

}  // namespace scen::platform
