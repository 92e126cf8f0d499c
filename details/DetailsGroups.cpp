#include "details/DetailsRows.h"
#include "reading/Reading.h"

namespace {

std::vector<DetailsGroup> WithSources(std::vector<DetailsGroup> groups, TargetReading& reading,
                                      const DisplayOptions& options, const std::vector<DetailsGroupSource>& sources) {
  for (const DetailsGroupSource& source : sources) {
    if (!source) continue;
    DetailsGroup group = source(reading, options);
    if (!group.rows.empty()) groups.push_back(std::move(group));
  }
  return groups;
}

}  // namespace

std::vector<DetailsGroup> DetailsWindowGroups(TargetReading& reading, const DisplayOptions& options,
                                              const std::vector<DetailsGroupSource>& sources) {
  return WithSources(DescribeDetails(reading.Details(), options), reading, options, sources);
}

std::vector<DetailsGroup> DetailsWindowGroupsAgain(TargetReading& reading, const DisplayOptions& options,
                                                   const std::vector<DetailsGroupSource>& sources) {
  return WithSources(DescribeDetails(reading.Last().details, options), reading, options, sources);
}
