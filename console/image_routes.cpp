// Images: the scope tree's and a view's small images as PNG.
#include <httplib.h>

#include <memory>

#include "console/api_router.h"
#include "console/png_encoder.h"
#include "mmc/host/console.h"
#include "mmc/host/console_image_list.h"
#include "mmc/host/view.h"
#include "platform/com/strings.h"

namespace pw::console {

namespace {

void GetImage(ApiCall& call) {
  const httplib::Request& request = call.request();
  long long view = 0;
  if (request.has_param("view")) {
    const std::string given = request.get_param_value("view");
    if (given.empty() || given.size() > 9 ||
        given.find_first_not_of("0123456789") != std::string::npos) {
      call.Fail({400, "bad-request", "view must be a number."});
      return;
    }
    view = std::stoll(given);
  }
  const std::string index_text = request.matches[1].str();
  const int image = index_text.size() > 9 ? -1 : static_cast<int>(call.PathNumber(1));
  auto png = std::make_shared<std::string>();
  const pw::mmc::OperationResult read =
      call.session().Run([png, image, view](pw::mmc::Console& console) {
        pw::mmc::ConsoleImageList* list = console.scope_images();
        if (view != 0) {
          pw::mmc::View* found = console.FindView(static_cast<int>(view));
          list = found != nullptr ? found->result_images() : nullptr;
        }
        if (list == nullptr || image < 0) return S_FALSE;
        if (const ImagePixels* pixels = list->SmallImage(image)) *png = EncodePng(*pixels);
        return S_OK;
      });
  if (!read.finished) {
    call.Fail({503, "busy", pw::ToUtf8(read.error)});
    return;
  }
  if (png->empty()) {
    call.Fail({404, "unknown-image", "There is no image " + index_text + "."});
    return;
  }
  call.response().set_header("Cache-Control", "no-cache");
  call.response().set_content(*png, "image/png");
}

// A toolbar button's image: /views/V/toolbars/T/images/I.png, T the toolbar's index in the
// view's creation order (as the view's state names it), I the button's bitmap index.
void GetToolbarImage(ApiCall& call) {
  const httplib::Request& request = call.request();
  for (int part = 1; part <= 3; ++part) {
    if (request.matches[part].length() > 9) {
      call.Fail({404, "unknown-image", "There is no such toolbar image."});
      return;
    }
  }
  const int view = static_cast<int>(call.PathNumber(1));
  const int toolbar = static_cast<int>(call.PathNumber(2));
  const int image = static_cast<int>(call.PathNumber(3));
  auto png = std::make_shared<std::string>();
  const pw::mmc::OperationResult read =
      call.session().Run([png, view, toolbar, image](pw::mmc::Console& console) {
        pw::mmc::View* found = console.FindView(view);
        if (found == nullptr || found->controlbar() == nullptr) return S_FALSE;
        const auto& toolbars = found->controlbar()->toolbars();
        if (toolbar < 0 || static_cast<std::size_t>(toolbar) >= toolbars.size()) return S_FALSE;
        const auto& images = toolbars[static_cast<std::size_t>(toolbar)]->images();
        if (image < 0 || static_cast<std::size_t>(image) >= images.size()) return S_FALSE;
        *png = EncodePng(images[static_cast<std::size_t>(image)]);
        return S_OK;
      });
  if (!read.finished) {
    call.Fail({503, "busy", pw::ToUtf8(read.error)});
    return;
  }
  if (png->empty()) {
    call.Fail({404, "unknown-image", "There is no such toolbar image."});
    return;
  }
  call.response().set_header("Cache-Control", "no-cache");
  call.response().set_content(*png, "image/png");
}

}  // namespace

void AddImageRoutes(ApiRoutes& routes) {
  routes.push_back({"GET", R"(/api/v1/images/(\d+)\.png)", &GetImage});
  routes.push_back(
      {"GET", R"(/api/v1/views/(\d+)/toolbars/(\d+)/images/(\d+)\.png)", &GetToolbarImage});
}

}  // namespace pw::console
