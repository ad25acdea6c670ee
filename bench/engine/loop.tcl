# loop: integer arithmetic in a counted loop.
proc main {} {
    set s 0
    for {set i 0} {$i < 2000000} {set i [expr {$i + 1}]} {
        set s [expr {$s + $i % 7}]
    }
    puts $s
}
main
