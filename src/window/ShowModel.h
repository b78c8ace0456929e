#pragma once

#include "generator/DisplayProgram.h"
#include "generator/Show.h"
#include "generator/TextNotes.h"

#include <memory>
#include <vector>

// Everything the show window plays and checks of one show: drawn, sampled and
// modelled off the event loop, since a long scene takes a while.
struct ShowModel
{
    Show show;
    std::vector<SceneColumns> columns;
    std::shared_ptr<const std::vector<DisplayStep>> program;
    std::vector<std::size_t> sceneStarts;
    TextNotes notes;
    int flashBytes = 0;
};

// The model of show; scenes drawn alike in earlier are taken from it, not drawn again.
ShowModel buildShowModel(const Show &show, const ShowModel &earlier);
