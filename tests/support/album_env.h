#pragma once
// Everything the data files work with, made fresh for one test: the model,
// the document object, recording fakes of the window and the progress box,
// and scripted prompts. Nothing global is touched.

#include "core/album_model.h"
#include "core/data_file.h"
#include "recording_window.h"
#include "scripted_prompts.h"
#include "xml/xml_data.h"

struct DataEnv {
  AlbumModel Model;
  xml::TXMLData Document;
  RecordingProgress Progress;
  RecordingWindow Window;
  ScriptedPrompts Ask;
  bool LoadAllChapters = false;

  DataFileContext Data() { return {Model, Document, Progress, Window, Ask, LoadAllChapters}; }
};
