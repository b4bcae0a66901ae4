#pragma once
// BuildGroup: a named list of build tasks that run over the items assigned to the group.

#include <memory>
#include <string>
#include <vector>

#include "VantorelData/model/BuildTask.h"
#include "VantorelData/model/Observable.h"
#include "VantorelData/model/Uuid.h"

namespace vantorel {

class BuildGroup : public Observable {
public:
    explicit BuildGroup(std::string name = {}, std::vector<BuildTaskPtr> tasks = {}, std::string uuid = makeUuid(),
                        bool isExpanded = false)
        : uuid_(std::move(uuid)), name_(std::move(name)), tasks_(std::move(tasks)), isExpanded_(isExpanded) {}

    const std::string& uuid() const { return uuid_; }
    const std::string& name() const { return name_; }
    const std::vector<BuildTaskPtr>& tasks() const { return tasks_; }
    bool isExpanded() const { return isExpanded_; }

    void setName(std::string name) { update(name_, std::move(name), PropertyId::name); }
    void setTasks(std::vector<BuildTaskPtr> tasks) { update(tasks_, std::move(tasks), PropertyId::tasks); }
    void setExpanded(bool expanded) { update(isExpanded_, expanded, PropertyId::isExpanded); }

private:
    std::string uuid_;
    std::string name_;
    std::vector<BuildTaskPtr> tasks_;
    bool isExpanded_;
};

using BuildGroupPtr = std::shared_ptr<BuildGroup>;

}  // namespace vantorel
