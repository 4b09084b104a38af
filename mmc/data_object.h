// IDataObject and the transfer structures through which the console and a snap-in exchange
// clipboard formats; IPersist and IPersistStream, through which a snap-in is saved.
#pragma once

#include "platform/com/clipboard.h"
#include "platform/com/memory.h"
#include "platform/com/stream.h"
#include "platform/com/unknown.h"

inline constexpr IID IID_IDataObject = pw::GuidLiteral("0000010E-0000-0000-C000-000000000046");
inline constexpr IID IID_IPersist = pw::GuidLiteral("0000010C-0000-0000-C000-000000000046");
inline constexpr IID IID_IPersistStream = pw::GuidLiteral("00000109-0000-0000-C000-000000000046");

inline constexpr HRESULT DV_E_LINDEX = MakeHresult(0x80040068);
inline constexpr HRESULT DV_E_CLIPFORMAT = MakeHresult(0x8004006A);
inline constexpr HRESULT DV_E_DVASPECT = MakeHresult(0x8004006B);
inline constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = MakeHresult(0x80040003);

enum TYMED : DWORD {
  TYMED_NULL = 0,
  TYMED_HGLOBAL = 1,
  TYMED_FILE = 2,
  TYMED_ISTREAM = 4,
  TYMED_ISTORAGE = 8,
  TYMED_GDI = 16,
  TYMED_MFPICT = 32,
  TYMED_ENHMF = 64,
};

enum DVASPECT : DWORD {
  DVASPECT_CONTENT = 1,
  DVASPECT_THUMBNAIL = 2,
  DVASPECT_ICON = 4,
  DVASPECT_DOCPRINT = 8,
};

enum DATADIR : DWORD { DATADIR_GET = 1, DATADIR_SET = 2 };

struct DVTARGETDEVICE;
struct IAdviseSink;
struct IEnumFORMATETC;
struct IEnumSTATDATA;

struct FORMATETC {
  CLIPFORMAT cfFormat = 0;
  DVTARGETDEVICE* ptd = nullptr;
  DWORD dwAspect = DVASPECT_CONTENT;
  LONG lindex = -1;
  DWORD tymed = TYMED_NULL;
};
using LPFORMATETC = FORMATETC*;

// A storage medium; only the global-memory and stream kinds are used between console and
// snap-in. With pUnkForRelease null the receiver owns what the medium holds.
struct STGMEDIUM {
  DWORD tymed = TYMED_NULL;
  HGLOBAL hGlobal = nullptr;
  IStream* pstm = nullptr;
  IUnknown* pUnkForRelease = nullptr;
};
using LPSTGMEDIUM = STGMEDIUM*;

struct IDataObject : IUnknown {
  static constexpr const IID& kIid = IID_IDataObject;

  // The data in a medium that the callee allocates and the caller releases.
  virtual HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) = 0;
  // The data written into a medium that the caller allocated (for TYMED_HGLOBAL a global
  // block, which the callee may grow).
  virtual HRESULT GetDataHere(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual HRESULT QueryGetData(FORMATETC* format) = 0;
  virtual HRESULT GetCanonicalFormatEtc(FORMATETC* format_in, FORMATETC* format_out) = 0;
  virtual HRESULT SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) = 0;
  virtual HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) = 0;
  virtual HRESULT DAdvise(FORMATETC* format, DWORD advise_flags, IAdviseSink* sink,
                          DWORD* connection) = 0;
  virtual HRESULT DUnadvise(DWORD connection) = 0;
  virtual HRESULT EnumDAdvise(IEnumSTATDATA** advises) = 0;

 protected:
  ~IDataObject() = default;
};
using LPDATAOBJECT = IDataObject*;

// Frees what a medium holds (or releases the object that owns it) and empties it.
inline void ReleaseStgMedium(STGMEDIUM* medium) {
  if (medium == nullptr) return;
  if (medium->pUnkForRelease != nullptr) {
    medium->pUnkForRelease->Release();
  } else if (medium->tymed == TYMED_HGLOBAL && medium->hGlobal != nullptr) {
    GlobalFree(medium->hGlobal);
  } else if (medium->tymed == TYMED_ISTREAM && medium->pstm != nullptr) {
    medium->pstm->Release();
  }
  *medium = STGMEDIUM{};
}

struct IPersist : IUnknown {
  static constexpr const IID& kIid = IID_IPersist;

  virtual HRESULT GetClassID(CLSID* class_id) = 0;

 protected:
  ~IPersist() = default;
};

struct IPersistStream : IPersist {
  static constexpr const IID& kIid = IID_IPersistStream;
  using Parent = IPersist;

  // S_OK when the object changed since it was last saved, else S_FALSE.
  virtual HRESULT IsDirty() = 0;
  virtual HRESULT Load(IStream* stream) = 0;
  virtual HRESULT Save(IStream* stream, BOOL clear_dirty) = 0;
  virtual HRESULT GetSizeMax(ULONGLONG* size) = 0;

 protected:
  ~IPersistStream() = default;
};
using LPPERSISTSTREAM = IPersistStream*;
