.pragma library

// A panel's texts: the language file's list laid over the built-in English
// list position by position. A position the file leaves empty or does not
// reach keeps its English text, so a short or missing file never blanks a
// control.
function merged(fallback, loaded) {
    var texts = fallback.slice()
    if (!loaded)
        return texts
    for (var i = 0; i < loaded.length && i < texts.length; ++i)
        if (loaded[i] !== undefined && loaded[i] !== null && String(loaded[i]) !== "")
            texts[i] = String(loaded[i])
    return texts
}

// A whole number from a stored value (numbers come back from the profile
// files as text), or `fallback` when there is none.
function toInt(value, fallback) {
    var n = parseInt(value, 10)
    return isNaN(n) ? fallback : n
}
