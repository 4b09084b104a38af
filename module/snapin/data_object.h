// CDataObject: the snap-in's data object, through which the console names one node (or, for a
// multiple selection in the result pane, several), and the routines that recognise one.
#pragma once

#include <cstdint>
#include <vector>

#include "mmc/mmc.h"
#include "platform/com/unknown.h"

#include "module/snapin/delegation_base.h"

// One data object per console request. It names its node by the node's address and does not
// own it; the console releases the object when it is done with it. A multiple selection
// (cookie -2) lists its nodes in the order they were added and each of their node types once.
//
// The private format carries a 32-bit handle, not the object's address: each object takes a
// handle from a process-wide table when it is made and gives it back when it goes, so a handle
// that comes back from the console finds the live object or nothing.
class CDataObject final : public pw::ComObject<IDataObject> {
 public:
  // `node` is null for a multiple selection (cookie -2).
  CDataObject(CDelegationBase* node, DATA_OBJECT_TYPES context);
  // A multiple selection in the result pane.
  static CDataObject* NewMultiSelect();

  MMC_COOKIE cookie() const { return cookie_; }
  // Null once the node has been deleted.
  CDelegationBase* node() const { return CDelegationBase::IsLive(node_) ? node_ : nullptr; }
  DATA_OBJECT_TYPES context() const { return context_; }
  bool is_multi_select() const { return cookie_ == MMC_MULTI_SELECT_COOKIE; }
  uint32_t handle() const { return handle_; }

  // Multiple selection only: adds a selected node.
  void AddNode(CDelegationBase* node);
  // The selected nodes that still exist.
  std::vector<CDelegationBase*> nodes() const;
  const std::vector<GUID>& node_types() const { return node_types_; }

  HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT QueryGetData(FORMATETC* format) override;
  HRESULT GetCanonicalFormatEtc(FORMATETC* format_in, FORMATETC* format_out) override;
  HRESULT SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  HRESULT DAdvise(FORMATETC* format, DWORD advise_flags, IAdviseSink* sink,
                  DWORD* connection) override;
  HRESULT DUnadvise(DWORD connection) override;
  HRESULT EnumDAdvise(IEnumSTATDATA** advises) override;

  // The live data object that has `handle`, or null.
  static CDataObject* FromHandle(uint32_t handle);

 private:
  ~CDataObject() override;

  MMC_COOKIE cookie_;
  CDelegationBase* node_;
  DATA_OBJECT_TYPES context_;
  uint32_t handle_;
  std::vector<CDelegationBase*> nodes_;
  std::vector<GUID> node_types_;
};

// Clipboard formats, registered once per process by name.
struct DataObjectFormats {
  UINT display_name;
  UINT node_type;
  UINT sz_node_type;
  UINT snapin_class_id;
  UINT private_data;
  UINT multi_select_flag;
  UINT object_types;
  UINT multi_select_snapins;
  UINT column_set_id;
};
const DataObjectFormats& ClipboardFormats();

// The snap-in's own data object behind `data_object`, or null when it is the console's or
// another snap-in's (or a special value).
CDataObject* GetOurDataObject(IDataObject* data_object);
// TRUE when the data object stands for a multiple selection (this snap-in's or the console's).
bool IsMultiSelect(IDataObject* data_object);
// The nodes of this snap-in in a multiple selection: from the console's composite object, the
// lists of every contained data object of this snap-in; from one of ours, its own list.
std::vector<CDelegationBase*> GetMultiSelectNodes(IDataObject* data_object);
// The node types of a multiple selection ("CCF_OBJECT_TYPES_IN_MULTI_SELECT"), each once.
std::vector<GUID> GetMultiSelectNodeTypes(IDataObject* data_object);
