#include "pdf_boxes.h"

#include <QColorSpace>
#include <QFile>
#include <QIODevice>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <stdexcept>
#include <string>

namespace {

// qpdf's output, streamed into the file being saved.
class DevicePipeline : public Pipeline {
 public:
  explicit DevicePipeline(QIODevice& device) : Pipeline("pdf", nullptr), device_(device) {}
  void write(unsigned char const* data, size_t length) override {
    if (device_.write(reinterpret_cast<const char*>(data), qint64(length)) != qint64(length))
      throw std::runtime_error(device_.errorString().toStdString());
  }
  void finish() override {}

 private:
  QIODevice& device_;
};

using Rectangle = QPDFObjectHandle::Rectangle;

// The colours of the file are sRGB: a printer converts from this profile.
void AddOutputIntent(QPDF& pdf) {
  QPDFObjectHandle root = pdf.getRoot();
  if (root.hasKey("/OutputIntents")) return;
  const QByteArray icc = QColorSpace(QColorSpace::SRgb).iccProfile();
  QPDFObjectHandle profile =
      QPDFObjectHandle::newStream(&pdf, std::string(icc.constData(), size_t(icc.size())));
  profile.getDict().replaceKey("/N", QPDFObjectHandle::newInteger(3));
  QPDFObjectHandle intent = QPDFObjectHandle::parse(
      "<< /Type /OutputIntent /S /GTS_PDFA1 /OutputConditionIdentifier (sRGB IEC61966-2.1)"
      " /RegistryName (http://www.color.org) /Info (sRGB IEC61966-2.1) >>");
  intent.replaceKey("/DestOutputProfile", profile);
  root.replaceKey("/OutputIntents", QPDFObjectHandle::newArray({pdf.makeIndirectObject(intent)}));
}

}  // namespace

bool FinishPdf(const QString& written, QIODevice& out, QSizeF sheetPt, double bleedPt,
               QString* error) {
  try {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(written).constData());
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
      if (sheetPt.isEmpty()) break;
      QPDFObjectHandle dict = page.getObjectHandle();
      // The writer draws from the top-left corner of its whole-point sheet.
      const double top = page.getAttribute("/MediaBox", false).getArrayAsRectangle().ury;
      const Rectangle sheet(0, top - sheetPt.height(), sheetPt.width(), top);
      dict.replaceKey("/MediaBox", QPDFObjectHandle::newFromRectangle(sheet));
      if (bleedPt <= 0) continue;
      const Rectangle trim(sheet.llx + bleedPt, sheet.lly + bleedPt, sheet.urx - bleedPt,
                           sheet.ury - bleedPt);
      dict.replaceKey("/BleedBox", QPDFObjectHandle::newFromRectangle(sheet));
      dict.replaceKey("/TrimBox", QPDFObjectHandle::newFromRectangle(trim));
    }
    AddOutputIntent(pdf);
    QPDFWriter writer(pdf);
    DevicePipeline pipeline(out);
    writer.setOutputPipeline(&pipeline);
    writer.setStreamDataMode(qpdf_s_preserve);
    writer.write();
    return true;
  } catch (const std::exception& e) {
    *error = QString::fromStdString(e.what());
    return false;
  }
}
