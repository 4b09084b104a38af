// ApiRouter.
#include "console/api_router.h"

#include <httplib.h>

namespace pw::console {

ApiRouter::ApiRouter(ApiContext context) : context_(std::move(context)) {
  AddConsoleRoutes(routes_);
  AddScopeRoutes(routes_);
  AddViewRoutes(routes_);
  AddWindowRoutes(routes_);
  AddDocumentRoutes(routes_);
  AddImageRoutes(routes_);
}

void ApiRouter::Register(httplib::Server& server) {
  for (const ApiRoute& route : routes_) {
    auto handler = [this, answer = route.handler](const httplib::Request& request,
                                                  httplib::Response& response) {
      ApiCall call(context_, request, response);
      answer(call);
    };
    const std::string method = route.method;
    if (method == "GET") {
      server.Get(route.pattern, handler);
    } else if (method == "POST") {
      server.Post(route.pattern, handler);
    } else if (method == "DELETE") {
      server.Delete(route.pattern, handler);
    }
  }
}

}  // namespace pw::console
