// Reading a request off the wire with Beast's parser, within the server's size limits: the
// server's sessions and the tests and fuzz target (which read from bytes) share these.
#pragma once

#include "remote/request_handler.h"

#include <boost/beast/http/parser.hpp>
#include <boost/system/error_code.hpp>

#include <cstddef>
#include <string_view>

namespace quorrin {

inline constexpr size_t kBodyLimitBytes = 4 * 1024;
inline constexpr size_t kHeaderLimitBytes = 8 * 1024;

using RequestParser = http::request_parser<http::string_body>;

// A parser with the server's limits.
void ApplyRequestLimits(RequestParser& parser);

// The answer to a request the parser refused: 413 for a body over the limit, 431 for
// headers over it, 400 for anything malformed.
http::status StatusForReadError(const boost::system::error_code& error);

// Reads one request from `bytes` (which must hold all of it) and answers it as a session
// would: the handler's reply, or the refusal of an unreadable request.
Reply AnswerBytes(RequestHandler& handler, std::string_view bytes, std::string_view peer,
                  RequestHandler::Clock::time_point now);

}  // namespace quorrin
