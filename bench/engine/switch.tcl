# switch: a multi-way branch on a computed value.
proc main {} {
    set s 0
    for {set i 0} {$i < 300000} {set i [expr {$i + 1}]} {
        switch [expr {$i % 4}] {
            0 { set s [expr {$s + 1}] }
            1 { set s [expr {$s + 2}] }
            default { set s [expr {$s + 3}] }
        }
    }
    puts $s
}
main
