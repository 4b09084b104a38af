// CHTMLLinkNode: the link's texts, image and node type.
#include "module/options/html_link_node.h"

#include <utility>

namespace {
constexpr int kImage = 20;
constexpr std::size_t kMaxAddressChars = 260;
}  // namespace

CHTMLLinkNode::CHTMLLinkNode(CDelegationBase* owner, UINT name_id, UINT description_id,
                             const GUID& node_type, std::wstring address)
    : CDelegationBase(owner),
      texts_(name_id, description_id),
      node_type_(node_type),
      address_(std::move(address)) {
  if (address_.size() > kMaxAddressChars) address_.resize(kMaxAddressChars);
}

std::wstring CHTMLLinkNode::GetDisplayName(int column) { return texts_.Column(column); }

GUID CHTMLLinkNode::GetNodeType() { return node_type_; }

int CHTMLLinkNode::GetBitmapIndex(BOOL) { return kImage; }
