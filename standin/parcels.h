// The sample parcels of the local stand-in of the tracking service, and the
// answers it gives for them. These parcels are samples made up for tests and
// demonstrations; none of them is a real shipment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trakvel::standin {

struct TraceEntry {
  std::string date, time, text;  // UTF-8
};

// How the stand-in answers the detail page of a parcel.
enum class Answer { kPage, kSlow, kServerError, kDrop };

struct Parcel {
  std::string courier_code;         // empty: the detection answer names no courier
  std::string company;              // as the page shows it (UTF-8), line breaks and all
  std::vector<TraceEntry> entries;  // oldest first
  bool no_result = false;           // the service knows no result for the number
  bool no_markers = false;          // a page without any of the usual markers
  bool escaped = false;             // the entry texts are percent-encoded in the page
  Answer answer = Answer::kPage;
};

// The sample with that number, or a parcel made up from the number itself, so that
// any number gets the same answer every time.
Parcel parcel_for(std::string_view number);

// The numbers of the sample table, in table order.
std::vector<std::string> sample_numbers();

// The detection endpoint's answer (JSON).
std::string detection_answer(const Parcel& parcel);

// The detail page (UTF-8 HTML).
std::string detail_page(const Parcel& parcel, std::string_view number);

}  // namespace trakvel::standin
