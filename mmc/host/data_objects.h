// Reading the clipboard formats of a snap-in's data objects, and the console's own composite
// data object that stands for a multiple selection.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"

namespace pw::mmc {

// The bytes a data object writes into a global block for `format_name` (GetDataHere on
// TYMED_HGLOBAL, the way the console reads a snap-in's formats). The block may hold more than
// the rendering: what follows it is zero.
HRESULT ReadDataHere(IDataObject* data_object, const wchar_t* format_name, std::string* bytes);
// The bytes of a rendering the data object allocates (GetData on TYMED_HGLOBAL).
HRESULT ReadData(IDataObject* data_object, const wchar_t* format_name, std::string* bytes);

// "CCF_DISPLAY_NAME": UTF-16LE text up to its terminator; empty when not rendered.
std::wstring ReadDisplayName(IDataObject* data_object);
// "CCF_NODETYPE".
std::optional<GUID> ReadNodeType(IDataObject* data_object);
// The identity of the column set shown for a scope item: the id of "CCF_COLUMN_SET_ID", or
// the node type when the snap-in does not render one. Empty when neither is there.
std::string ReadColumnSetId(IDataObject* data_object);
// "CCF_MMC_MULTISELECT_DATAOBJECT" read with GetData is TRUE.
bool IsMultiSelectDataObject(IDataObject* data_object);

// The console's data object for a multiple selection in the result pane: it renders
// "CCF_MULTI_SELECT_SNAPINS" (the snap-ins' own multi-selection data objects),
// "CCF_MMC_MULTISELECT_DATAOBJECT" (TRUE) and "CCF_OBJECT_TYPES_IN_MULTI_SELECT" (the node
// types the contained objects report, each once). It keeps the contained objects alive; the
// pointers it renders are borrowed from it.
class MultiSelectDataObject final : public ComObject<IDataObject> {
 public:
  explicit MultiSelectDataObject(std::vector<ComPtr<IDataObject>> snapin_objects);

  const std::vector<ComPtr<IDataObject>>& snapin_objects() const { return snapin_objects_; }

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

 private:
  // The rendering of `format`; DV_E_FORMATETC for formats not served.
  HRESULT Render(const FORMATETC& format, std::string* bytes);

  std::vector<ComPtr<IDataObject>> snapin_objects_;
};

}  // namespace pw::mmc
