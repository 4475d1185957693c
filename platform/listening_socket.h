// What a listening TCP socket needs set, before it binds, that differs
// between systems: how far another socket may share its port.
#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/system/error_code.hpp>

namespace scen::platform {

// Sets the options on an open acceptor; a failure is left in `error`.
void prepare_listening_socket(boost::asio::ip::tcp::acceptor& acceptor, boost::system::error_code& error);

}  // namespace scen::platform
