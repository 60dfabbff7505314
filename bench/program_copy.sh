# Sourced by the bench scripts. copy_program DIST DIR: a program directory
# of its own in DIR, without DIST's DATA folder. The executable finds its
# files beside itself: it is copied, the rest is linked.
copy_program() {
  local dist=$1 dir=$2 f name
  mkdir -p "$dir"
  cp "$dist/tarnwell" "$dir/"
  for f in "$dist"/*; do
    name=$(basename "$f")
    [ "$name" = tarnwell ] || [ "$name" = DATA ] || ln -s "$f" "$dir/$name"
  done
}
