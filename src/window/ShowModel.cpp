#include "window/ShowModel.h"

#include "generator/GenerationRun.h"
#include "generator/ShowSketch.h"

namespace {

// The columns model has already drawn for text, or null.
const SceneColumns *drawnBefore(const ShowModel &model, const QString &text)
{
    for (std::size_t i = 0; i < model.columns.size(); ++i)
        if (model.show.scenes[i].text == text)
            return &model.columns[i];
    return nullptr;
}

} // namespace

ShowModel buildShowModel(const Show &show, const ShowModel &earlier)
{
    ShowModel model;
    model.show = show;
    GlyphCanvas canvas;
    canvas.setFontName(show.face);
    canvas.setFontBold(show.bold);
    canvas.setFontItalic(show.italic);
    const bool sameStyle = earlier.show.face == show.face && earlier.show.bold == show.bold &&
                           earlier.show.italic == show.italic;
    QStringList texts;
    for (const Scene &scene : show.scenes) {
        texts.append(scene.text);
        const SceneColumns *drawn = drawnBefore(model, scene.text);
        if (!drawn && sameStyle)
            drawn = drawnBefore(earlier, scene.text);
        model.columns.push_back(drawn ? *drawn : sampleScene(scene.text, canvas));
    }
    model.program = std::make_shared<const std::vector<DisplayStep>>(
        showProgram(show, model.columns, &model.sceneStarts));
    model.notes = textNotes(QString(), texts.join(u' '), canvas);
    model.flashBytes = showFlashBytes(show, model.columns);
    return model;
}
