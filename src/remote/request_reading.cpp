#include "remote/request_reading.h"

#include <boost/asio/buffer.hpp>
#include <boost/beast/http/error.hpp>

namespace quorrin {

void ApplyRequestLimits(RequestParser& parser) {
    parser.body_limit(kBodyLimitBytes);
    parser.header_limit(kHeaderLimitBytes);
}

http::status StatusForReadError(const boost::system::error_code& error) {
    if (error == http::error::body_limit) return http::status::payload_too_large;
    if (error == http::error::header_limit) return http::status::request_header_fields_too_large;
    return http::status::bad_request;
}

Reply AnswerBytes(RequestHandler& handler, std::string_view bytes, std::string_view peer,
                  RequestHandler::Clock::time_point now) {
    RequestParser parser;
    ApplyRequestLimits(parser);
    // Beast's parser takes input as it arrives; here all of it arrives at once, so whatever
    // is still missing at the end makes the request malformed.
    parser.eager(true);
    boost::system::error_code error;
    size_t used = 0;
    while (!parser.is_done() && used < bytes.size()) {
        const size_t taken =
            parser.put(boost::asio::buffer(bytes.data() + used, bytes.size() - used), error);
        if (error == http::error::need_more) {
            error = {};
            break;
        }
        if (error) break;
        used += taken;
        if (taken == 0) break;
    }
    if (!error && !parser.is_done()) {
        parser.put_eof(error);
        if (!error && !parser.is_done()) error = http::error::partial_message;
    }
    if (error) return {ReadFailureResponse(StatusForReadError(error))};
    return handler.Handle(parser.get(), peer, now);
}

}  // namespace quorrin
