// ApiFailure: a refused request as the API answers it — an HTTP status and a JSON error.
#pragma once

#include <string>

namespace httplib {
struct Response;
}

namespace pw::console {

struct ApiFailure {
  int status = 400;
  std::string code;     // "bad-json", "unknown-view"…
  std::string message;  // for the person or script
};

// Writes {"error": {"code", "message"}} with the failure's status.
void SendError(httplib::Response& response, const ApiFailure& failure);

}  // namespace pw::console
